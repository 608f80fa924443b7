#include "SelectionState.h"

#include <algorithm>

bool SelectionState::startShowing() {
    const bool fresh = !m_pending;
    if (fresh)
        m_selected = -1;
    m_pending = true;
    return fresh;
}

int SelectionState::currentRow() const {
    return std::max(m_selected, 0);
}

void SelectionState::choose(int index) {
    m_selected = index;
}

void SelectionState::cancel() {
    m_selected = -1;
    m_pending = false;
}
