#pragma once

// What the selection list remembers between showings: whether a filled list is waiting to
// be shown again, and which of its rows the clerk chose last.
class SelectionState {
public:
    // Called each time the list is about to be shown. True when no list is waiting, so the
    // rows must be filled afresh; from then on the list is pending until cancelled.
    bool startShowing();
    // The row to make current when the list appears: the first of a fresh list, otherwise the
    // one chosen last, so the clerk carries on from there.
    int currentRow() const;

    void choose(int index);
    void cancel();

    // The index of the chosen row into the hit list; -1 after a cancel.
    int SelectedIndex() const { return m_selected; }
    bool ListPending() const { return m_pending; }

private:
    bool m_pending = false;
    int m_selected = -1;
};
