// Reading helpers shared by the readers of the checklist text form.
#pragma once

#include <istream>
#include <list>
#include <ostream>
#include <string>

namespace app {

// Skips comment lines (first character "*") and empty lines at the current position.
// A line of blanks is not empty and stays.
void SkipCommentLines(std::istream& in);

// Appends each directly following newline to the text; the first other character
// stays in the stream. At the end of the input the stream is left failed.
void ReadTrailingNewlines(std::istream& in, std::string& text);

// Reads and discards the rest of the current line, its line feed included.
void SkipRestOfLine(std::istream& in);

// Writes a block: the opening bracket, "0" and the name; each item; the closing
// bracket. Nothing at all on a failed stream.
template <class Item>
void WriteBlock(std::ostream& out, char open, char close, const std::string& name,
                const std::list<Item>& items)
{
    if (!out)
        return;
    out.put(open).put('0').write(name.data(), name.size()).put('\n');
    for (const Item& item : items)
        item.Write(out);
    out.put(close).put('\n');
}

// Reads a block as WriteBlock writes it (the character after the opening bracket
// is ignored, whatever it is). The item list ends at the first line that is not
// an item; then the closing bracket must follow. Name and items are replaced only
// when the whole block was read; otherwise the stream is left failed.
template <class Item>
void ReadBlock(std::istream& in, char open, char close, std::string& name, std::list<Item>& items)
{
    if (!in.good())
        return;
    SkipCommentLines(in);
    char c;
    if (!in.get(c))
        return;
    if (c != open) {
        in.unget();
        in.setstate(std::ios::failbit);
        return;
    }
    in.get(c);
    std::string readName;
    if (!std::getline(in, readName))
        return;
    std::list<Item> readItems;
    Item item;
    while (item.Read(in).good())
        readItems.push_back(item);
    in.clear();
    SkipCommentLines(in);
    if (in.get(c) && c == close) {
        SkipRestOfLine(in);
        name.swap(readName);
        items.swap(readItems);
    } else {
        in.setstate(std::ios::failbit);
    }
}

} // namespace app
