#include "text/gamelist.h"

#include <cstdlib>

#include "text/utf8.h"

namespace tarvo {

namespace {

// XML text with its entities as the characters they stand for, trimmed.
std::string Text(std::string_view raw) {
    while (!raw.empty() && (raw.front() == ' ' || raw.front() == '\n' || raw.front() == '\r' || raw.front() == '\t')) raw.remove_prefix(1);
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\n' || raw.back() == '\r' || raw.back() == '\t')) raw.remove_suffix(1);
    std::string text;
    for (std::size_t at = 0; at < raw.size(); ++at) {
        const std::size_t end = raw[at] == '&' ? raw.find(';', at) : std::string_view::npos;
        if (end == std::string_view::npos || end - at > 10) {
            text += raw[at];
            continue;
        }
        const std::string entity(raw.substr(at + 1, end - at - 1));
        static const std::pair<const char*, char> kNamed[] = {{"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
        bool known = false;
        for (const auto& [name, c] : kNamed) {
            if (entity == name) text += c, known = true;
        }
        if (!known && entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x' || entity[1] == 'X';
            const unsigned long code = std::strtoul(entity.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10);
            if (code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) AppendUtf8(text, static_cast<char32_t>(code));
            known = true;
        }
        if (!known) text += raw.substr(at, end - at + 1);
        at = end;
    }
    return text;
}

// The text of the first <tag>...</tag> in the game's element; nothing without one.
std::optional<std::string> Field(std::string_view game, std::string_view tag) {
    const std::string open = "<" + std::string(tag) + ">", close = "</" + std::string(tag) + ">";
    const std::size_t start = game.find(open);
    if (start == std::string_view::npos) return std::nullopt;
    const std::size_t end = game.find(close, start);
    if (end == std::string_view::npos) return std::nullopt;
    return Text(game.substr(start + open.size(), end - start - open.size()));
}

std::string Slashed(std::string text) {
    for (char& c : text) c = c == '\\' ? '/' : c;
    return text;
}

}  // namespace

std::optional<GameList> GameList::Parse(std::string_view xml, std::string_view folder) {
    if (xml.find("<gameList") == std::string_view::npos) return std::nullopt;
    const std::string base = Slashed(std::string(folder));
    GameList list;
    for (std::size_t at = xml.find("<game"); at != std::string_view::npos; at = xml.find("<game", at)) {
        const char next = at + 5 < xml.size() ? xml[at + 5] : '\0';
        if (next != '>' && next != ' ' && next != '\t' && next != '\n' && next != '\r') {  // <gameList>, <gamelist ...>
            at += 5;
            continue;
        }
        const std::size_t end = xml.find("</game>", at);
        if (end == std::string_view::npos) return std::nullopt;  // cut short
        const std::string_view game = xml.substr(at, end - at);
        at = end + 7;
        std::optional<std::string> path = Field(game, "path");
        if (!path) continue;
        std::string file = Slashed(*path);
        if (file.compare(0, 2, "./") == 0) file.erase(0, 2);
        if (!base.empty() && file.compare(0, base.size(), base) == 0) file.erase(0, base.size());
        if (file.empty() || file.find('/') != std::string::npos) continue;  // not a file of the folder itself
        GameEntry& entry = list.games_[file];
        entry.name = Field(game, "name").value_or("");
        entry.image = Field(game, "image").value_or("");
        entry.hidden = Field(game, "hidden").value_or("") == "true";
    }
    return list;
}

const GameEntry* GameList::Find(std::string_view fileName) const {
    const auto found = games_.find(std::string(fileName));
    return found == games_.end() ? nullptr : &found->second;
}

}  // namespace tarvo
