// The order in which a layout's controls are created.
#include "Layout.h"

void CreationOrder(const int* tabPositions, const unsigned* flags, size_t count, size_t* order) {
    // A naming label ranks just before the row it names (even rank before odd).
    auto place = [&](size_t i) {
        return tabPositions[i] < 0 ? count + i : static_cast<size_t>(tabPositions[i]);
    };
    auto rank = [&](size_t i) {
        const bool names = (flags[i] & Flag::NamesNext) && i + 1 < count;
        return names ? 2 * place(i + 1) : 2 * place(i) + 1;
    };
    // Insertion sort: stable, and a layout has a dozen rows.
    for (size_t i = 0; i < count; ++i) {
        size_t at = i;
        for (; at > 0 && rank(order[at - 1]) > rank(i); --at)
            order[at] = order[at - 1];
        order[at] = i;
    }
}
