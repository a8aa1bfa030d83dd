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
// A label flagged NamesNext is created just before the control that follows
// it in the table: a control without a caption of its own is named, for a
// screen reader, after the label just before it in z-order.
#pragma once

#include "Form.h"

#include <algorithm>
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

template <class Page, size_t Count>
void BuildLayout(Page& page, const ControlLayout<Page> (&layout)[Count]) {
    std::array<size_t, Count> order;
    for (size_t i = 0; i < Count; ++i)
        order[i] = i;
    auto place = [&](size_t i) {
        return layout[i].TabPosition < 0 ? Count + i : static_cast<size_t>(layout[i].TabPosition);
    };
    auto rank = [&](size_t i) {
        const bool names = (layout[i].Flags & Flag::NamesNext) && i + 1 < Count;
        return names ? 2 * place(i + 1) : 2 * place(i) + 1;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return rank(a) < rank(b); });
    for (size_t i : order) {
        const ControlLayout<Page>& row = layout[i];
        HWND control = page.AddControl({row.Kind, row.Left, row.Top, row.Width, row.Height,
                                        row.Caption, row.Flags, row.TabPosition});
        page.*(row.Control) = control;
        if (row.Click)
            page.BindClick(control, [&page, click = row.Click] { (page.*click)(); });
    }
}
