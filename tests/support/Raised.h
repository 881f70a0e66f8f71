#pragma once
// Runs a call that must raise a UErr and hands the error back for checking.
#include <gtest/gtest.h>

#include "link/UErr.h"

namespace quor::test {

template <class F> UErr Raised(F f)
{
    try {
        f();
    } catch (const UErr& e) {
        return e;
    }
    ADD_FAILURE() << "no UErr";
    return UErr{nullptr, 0, 0};
}

}  // namespace quor::test
