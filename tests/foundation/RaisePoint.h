// Checks that an action raises an exception of a given type at a given
// source file (and line), and hands the exception back for further checks.
#pragma once

#include <gtest/gtest.h>

#include <optional>

template <class E, class Action>
std::optional<E> ExpectRaiseIn(Action action, const char* file)
{
    try {
        action();
    } catch (const E& raised) {
        EXPECT_STREQ(file, raised.GetFile());
        return raised;
    }
    ADD_FAILURE() << "nothing raised; expected " << file;
    return std::nullopt;
}

template <class E, class Action>
std::optional<E> ExpectRaise(Action action, const char* file, int line)
{
    std::optional<E> raised = ExpectRaiseIn<E>(action, file);
    if (raised) {
        EXPECT_EQ(line, raised->GetLine());
    }
    return raised;
}
