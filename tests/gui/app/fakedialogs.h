#pragma once
// Dialog answers given in advance, and the messages the program showed.
#include <QQueue>
#include <QStringList>

#include "app/dialogs.h"

class FakeDialogs : public yuedu::app::Dialogs {
public:
    QQueue<QString> openAnswers; // empty string: cancel
    QQueue<QString> saveAnswers;
    std::optional<QFont> fontAnswer;
    std::optional<QColor> colorAnswer;
    QStringList messages;
    int printed = 0;
    // Questions asked (askToSave and confirm); unanswered ones discard and accept.
    QQueue<SaveChoice> saveChoices;
    QQueue<bool> confirmAnswers;
    QStringList questions;

    QString openFileName(QWidget *, const QString &filter, const QString &) override {
        lastFilter = filter;
        return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
    }
    QString saveFileName(QWidget *, const QString &filter, const QString &start,
                         const QString &selected) override {
        lastFilter = filter;
        saveStart = start;
        saveSelectedFilter = selected;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
    }
    std::optional<QFont> font(QWidget *, const QFont &) override { return fontAnswer; }
    std::optional<QColor> color(QWidget *, const QColor &) override { return colorAnswer; }
    void message(QWidget *, const QString &text, bool) override { messages << text; }
    SaveChoice askToSave(QWidget *, const QString &document) override {
        questions << document;
        return saveChoices.isEmpty() ? SaveChoice::Discard : saveChoices.dequeue();
    }
    bool confirm(QWidget *, const QString &text, const QString &) override {
        questions << text;
        return confirmAnswers.isEmpty() || confirmAnswers.dequeue();
    }
    bool print(QWidget *, QTextDocument *) override {
        ++printed;
        return true;
    }
    QString lastFilter;
    QString saveStart, saveSelectedFilter;
};
