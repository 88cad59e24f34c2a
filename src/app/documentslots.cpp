#include "app/documentslots.h"

namespace yuedu::app {

int DocumentSlots::findfree() const {
    for (int i = 0; i < kSlots; ++i) {
        DocumentWindow *w = window(i);
        if (!w || w->tag().isEmpty())
            return i;
    }
    return -1;
}

QMdiSubWindow *DocumentSlots::subWindow(int slot) const {
    if (slot < 0 || slot >= kSlots)
        return nullptr;
    return m_windows[slot].data();
}

DocumentWindow *DocumentSlots::window(int slot) const {
    QMdiSubWindow *sub = subWindow(slot);
    auto *w = sub ? qobject_cast<DocumentWindow *>(sub->widget()) : nullptr;
    return w && !w->isClosed() ? w : nullptr;
}

void DocumentSlots::setSubWindow(int slot, QMdiSubWindow *sub) {
    if (slot >= 0 && slot < kSlots)
        m_windows[slot] = sub;
}

} // namespace yuedu::app
