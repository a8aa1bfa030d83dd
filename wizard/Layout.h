// A page's layout as a table: one row per control, naming the page member
// that receives the control's window and the page method its click runs.
//
//     const ControlLayout<TfrmWelcome> Layout[] = {
//         {ControlKind::Button, &TfrmWelcome::cmdNext, 408, 368, 89, 25, "&Next >",
//          Flag::Default, 1, &TfrmWelcome::cmdNextClick},
//     };
//     void TfrmWelcome::CreateControls() { BuildLayout(*this, Layout); }
//
// The controls are created in tab order (that is their z-order, which is the
// order Tab walks), then the controls without a tab position in table order.
#pragma once

#include "Form.h"

#include <array>
#include <cstddef>

template <class Page> struct ControlLayout {
    ControlKind Kind;
    HWND Page::*Control; // the page member that receives the window
    int Left, Top, Width, Height;
    const char* Caption;
    unsigned Flags;
    int TabPosition;       // NoTabStop, or the place in the tab order
    void (Page::*Click)(); // click handler, or nullptr
};

// Fills order with 0 .. count - 1 sorted by rank, equal ranks in table order:
// an insertion sort, one function for every page (a page has a dozen rows).
inline void SortByRank(const size_t* rank, size_t* order, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        size_t place = i;
        for (; place > 0 && rank[order[place - 1]] > rank[i]; --place)
            order[place] = order[place - 1];
        order[place] = i;
    }
}

template <class Page, size_t Count>
void BuildLayout(Page& page, const ControlLayout<Page> (&layout)[Count]) {
    std::array<size_t, Count> rank, order;
    for (size_t i = 0; i < Count; ++i)
        rank[i] =
            layout[i].TabPosition < 0 ? Count + i : static_cast<size_t>(layout[i].TabPosition);
    SortByRank(rank.data(), order.data(), Count);
    for (size_t i : order) {
        const ControlLayout<Page>& row = layout[i];
        HWND control = page.AddControl({row.Kind, row.Left, row.Top, row.Width, row.Height,
                                        row.Caption, row.Flags, row.TabPosition});
        page.*(row.Control) = control;
        if (row.Click)
            page.BindClick(control, [&page, click = row.Click] { (page.*click)(); });
    }
}
