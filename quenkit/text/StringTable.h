#pragma once

#include <QString>

#include <initializer_list>
#include <utility>

// The program's numbered texts: a compiled-in table keyed by number, filled once at start by
// the program that owns the texts.
namespace quenkit {

struct StringTableEntry {
    int id;
    const char *text;  // UTF-8
};

// Adds entries to the table; a later entry with the same number replaces the earlier one.
void RegisterStrings(std::initializer_list<StringTableEntry> entries);

// The text with that number, or an empty text when none is registered. The first argument
// named the module holding the texts and is not needed here.
QString GetRS(int id);

}  // namespace quenkit
