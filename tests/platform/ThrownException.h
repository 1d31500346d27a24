// The platform throws exceptions as heap pointers; tests catch them through this helper, which
// takes ownership so nothing leaks.
#pragma once

#include <memory>

#include "platform/Exceptions.h"

struct ExceptionDeleter
{
    void operator()(CException* e) const { e->Delete(); }
};

template <class E>
using ThrownPtr = std::unique_ptr<E, ExceptionDeleter>;

// The E* that action throws, or null when it returns normally.
template <class E, class Action>
ThrownPtr<E> Thrown(Action&& action)
{
    try {
        action();
    } catch (E* e) {
        return ThrownPtr<E>(e);
    }
    return nullptr;
}
