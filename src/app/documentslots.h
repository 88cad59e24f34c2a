#pragma once
// The ten places of the document windows and the file name that belongs to each.
#include <QMdiSubWindow>
#include <QPointer>
#include <array>

#include "app/documentwindow.h"

namespace yuedu::app {

class DocumentSlots {
public:
    static constexpr int kSlots = 10;

    // The lowest free slot, or -1 when all ten hold a document. A slot is free when its window
    // was never made, has been closed, or holds no document yet (empty tag).
    int findfree() const;

    DocumentWindow *window(int slot) const;
    QMdiSubWindow *subWindow(int slot) const;
    void setSubWindow(int slot, QMdiSubWindow *sub);

    QString &fileName(int slot) { return SlotFileNames[slot]; }
    std::array<QString, 21> SlotFileNames;

private:
    std::array<QPointer<QMdiSubWindow>, 11> m_windows;
};

} // namespace yuedu::app
