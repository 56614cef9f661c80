#pragma once
// A form's WM_COMMAND as a table: each row names a control, the notification it sends and the
// event handler that runs, so that a form's OnCommand reads as the list of its events.

#include <cstddef>

namespace jitswap {

template <class FormClass>
struct CommandRoute {
    int id;
    int notification;
    void (FormClass::*handler)();
};

// Runs the handler of the row that matches; false when none does.
template <class FormClass, std::size_t N>
bool RouteCommand(FormClass& form, const CommandRoute<FormClass> (&routes)[N], int id, int notification)
{
    for (const CommandRoute<FormClass>& route : routes) {
        if (route.id == id && route.notification == notification) {
            (form.*route.handler)();
            return true;
        }
    }
    return false;
}

} // namespace jitswap
