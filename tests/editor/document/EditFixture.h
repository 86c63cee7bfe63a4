// A document whose database is watched by a recording observer.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/document/Document.h"
#include "tests/editor/document/RecordingObserver.h"

namespace app_test {

class EditFixture : public ::testing::Test {
protected:
    EditFixture();
    ~EditFixture() override;

    // Two groups, built by edits: "Group A" with "List A1" (entries "Battery"
    // and the challenge "Flaps" with response "SET") and the empty "List A2";
    // "Group B" with "List B1" (one note "Note").
    void AddSample();
    void Undo();
    void Redo();
    // The database's text form.
    std::string Text() const;

    app::Document_t document;
    app::Database_t& database;
    jnl::Journal_t& undo;
    jnl::Journal_t& redo;
    RecordingObserver_t observer;
};

} // namespace app_test
