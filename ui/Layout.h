// A page's layout as a table: one row per control, naming the page member
// that receives the control's window and the page method its click runs.
//
//     const ControlLayout<WelcomePage> Layout[] = {
//         {ControlKind::Button, &WelcomePage::nextButton, 408, 368, 89, 25, "&Next >",
//          Flag::Default, 1, &WelcomePage::OnNext},
//     };
//     void WelcomePage::CreateControls() { BuildLayout(*this, Layout); }
//
// Controls are created in tab order (their z-order, which Tab walks), then the rest in table
// order. A NamesNext label is created just before the control after it in the table: a control
// without a caption is named, for a screen reader, after the label before it in z-order.
#pragma once

#include "Form.h"

#include <cstddef>

// Fills `order` with the row indexes in creation order (as above); one sort for every page.
void CreationOrder(const int* tabPositions, const unsigned* flags, size_t count, size_t* order);

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
    int tabPositions[Count];
    unsigned flags[Count];
    for (size_t i = 0; i < Count; ++i) {
        tabPositions[i] = layout[i].TabPosition;
        flags[i] = layout[i].Flags;
    }
    size_t order[Count];
    CreationOrder(tabPositions, flags, Count, order);
    for (size_t i : order) {
        const ControlLayout<Page>& row = layout[i];
        HWND control = page.AddControl({row.Kind, row.Left, row.Top, row.Width, row.Height,
                                        row.Caption, row.Flags, row.TabPosition});
        page.*(row.Control) = control;
        if (row.Click)
            page.BindClick(control, [&page, click = row.Click] { (page.*click)(); });
    }
}
