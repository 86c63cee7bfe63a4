// A database that records into an undo journal and is watched by a recording
// observer, with undo and redo done the way the document does them.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "editor/Database.h"
#include "journal/JNL_Journal.h"
#include "tests/editor/RecordingObserver.h"

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

    app::Database_t database;
    jnl::Journal_t undo;
    jnl::Journal_t redo;
    RecordingObserver_t observer;
};

} // namespace app_test
