#include "text/machine_list.h"

#include <algorithm>
#include <cstring>

#include "text/utf8.h"

namespace tarvo {

namespace {

// Enough of an element's name to tell "machine" from longer names.
constexpr std::size_t kLongestElementName = 8;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool IsNameCharacter(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

std::string LowerCased(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii<char>);
    return lowered;
}

// The character as UTF-8; false for a number XML allows no character for.
bool AppendCharacter(unsigned long c, std::string& out) {
    if (c == 0 || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    const auto byte = [](unsigned long bits) { return static_cast<char>(bits); };
    if (c < 0x80) {
        out += byte(c);
    } else if (c < 0x800) {
        out += byte(0xC0 | c >> 6);
        out += byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += byte(0xE0 | c >> 12);
        out += byte(0x80 | (c >> 6 & 0x3F));
        out += byte(0x80 | (c & 0x3F));
    } else {
        out += byte(0xF0 | c >> 18);
        out += byte(0x80 | (c >> 12 & 0x3F));
        out += byte(0x80 | (c >> 6 & 0x3F));
        out += byte(0x80 | (c & 0x3F));
    }
    return true;
}

// "#39" or "#x27" as the character it stands for.
bool AppendNumbered(std::string_view reference, std::string& out) {
    const bool hex = reference.size() > 1 && reference[1] == 'x';
    const std::string_view digits = reference.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 7) return false;  // no character needs more
    unsigned long c = 0;
    for (const char d : digits) {
        const char lower = LowerAscii(d);
        const bool decimal = d >= '0' && d <= '9', letter = hex && lower >= 'a' && lower <= 'f';
        if (!decimal && !letter) return false;
        c = c * (hex ? 16 : 10) + static_cast<unsigned long>(decimal ? d - '0' : lower - 'a' + 10);
    }
    return AppendCharacter(c, out);
}

// A value as written between its quotes, its entities replaced; false for
// an entity XML does not define or a "<", which no value may hold.
bool Decode(std::string_view raw, std::string& out) {
    out.clear();
    if (raw.find('<') != std::string_view::npos) return false;
    std::size_t at = 0;
    for (std::size_t amp; (amp = raw.find('&', at)) != std::string_view::npos;) {
        out.append(raw, at, amp - at);
        const std::size_t semicolon = raw.find(';', amp);
        if (semicolon == std::string_view::npos) return false;
        const std::string_view entity = raw.substr(amp + 1, semicolon - amp - 1);
        at = semicolon + 1;
        if (entity == "amp") out += '&';
        else if (entity == "lt") out += '<';
        else if (entity == "gt") out += '>';
        else if (entity == "quot") out += '"';
        else if (entity == "apos") out += '\'';
        else if (entity.empty() || entity[0] != '#' || !AppendNumbered(entity, out)) return false;
    }
    out.append(raw, at);
    return true;
}

// Each name="value" (or name='value') of a tag, its value decoded; false
// when the tag holds anything else, or pairs not apart.
template <class Visit>
bool ForEachAttribute(std::string_view tag, Visit visit) {
    const auto skip = [tag](std::size_t at, bool (*over)(char)) {
        while (at < tag.size() && over(tag[at])) ++at;
        return at;
    };
    std::string value;
    for (std::size_t at = 0;;) {
        const std::size_t start = skip(at, IsBlank);
        if (start == tag.size()) return true;
        const std::size_t nameEnd = skip(start, IsNameCharacter);
        const std::size_t equals = skip(nameEnd, IsBlank);
        if (start == at || nameEnd == start || equals == tag.size() || tag[equals] != '=') return false;
        const std::size_t open = skip(equals + 1, IsBlank);
        if (open == tag.size() || (tag[open] != '"' && tag[open] != '\'')) return false;
        const std::size_t close = tag.find(tag[open], open + 1);
        if (close == std::string_view::npos || !Decode(tag.substr(open + 1, close - open - 1), value)) return false;
        visit(tag.substr(start, nameEnd - start), std::string_view(value));
        at = close + 1;
    }
}

// The ">" that ends a tag, past any within quoted values; `end` when the
// piece ends first, with the quote still open.
const char* FindTagEnd(const char* p, const char* end, char& quote) {
    for (; p < end; ++p) {
        if (quote != 0) {
            p = static_cast<const char*>(std::memchr(p, quote, static_cast<std::size_t>(end - p)));
            if (p == nullptr) return end;
            quote = 0;
        } else if (*p == '>') {
            return p;
        } else if (*p == '"' || *p == '\'') {
            quote = *p;
        }
    }
    return end;
}

DriverStatus StatusNamed(std::string_view status) {
    if (status == "good") return DriverStatus::Good;
    if (status == "imperfect") return DriverStatus::Imperfect;
    if (status == "preliminary") return DriverStatus::Preliminary;
    return DriverStatus::Unknown;
}

}  // namespace

void MachineList::Feed(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && place_ != Place::Refused) {
        switch (state_) {
        case State::Text: p = ReadText(p, end); break;
        case State::Open: p = ReadOpen(p); break;
        case State::StartName:
        case State::EndName: p = ReadName(p, end); break;
        case State::EndTag: p = ReadEndTag(p, end); break;
        case State::Attributes: p = ReadAttributes(p, end); break;
        case State::SkipTag: p = SkipTag(p, end); break;
        case State::Bang: p = ReadBang(p); break;
        case State::Comment: p = SkipPast(p, end, '-', 2); break;
        case State::CData: p = SkipPast(p, end, ']', 2); break;
        case State::Pi: p = SkipPast(p, end, '?', 1); break;
        case State::Declaration: p = SkipDeclaration(p, end); break;
        case State::Subset: p = SkipSubset(p, end); break;
        }
    }
}

const MachineTraits* MachineList::Find(std::string_view set) const {
    const auto it = machines_.find(LowerCased(set));
    return it == machines_.end() ? nullptr : &it->second;
}

MachineList::Element MachineList::ElementNamed(std::string_view name) {
    for (const auto& [named, element] : kElements) {
        if (name == named) return element;
    }
    return Element::Other;
}

bool MachineList::BeginsOtherElement(std::string_view text) {
    if (text.empty() || !IsNameStart(text[0])) return false;
    for (const auto& [named, element] : kElements) {
        // It, or, where the text stops short, perhaps it.
        if (text[0] == named[0] && text.substr(0, named.size()) == named.substr(0, text.size())) return false;
    }
    return true;
}

const char* MachineList::ReadText(const char* p, const char* end) {
    if (place_ == Place::InRoot || place_ == Place::InMachine) {
        // Descriptions, years, makers: nothing of them matters, nor any
        // element but the list, a machine and its driver. Most of MAME's
        // answer is other elements: they are passed over here, at once,
        // for MAME, working on every core, feels each moment spent.
        for (;;) {
            p = static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(end - p)));
            if (p == nullptr) return end;
            if (!BeginsOtherElement(std::string_view(p + 1, static_cast<std::size_t>(end - p - 1)))) break;
            p = static_cast<const char*>(std::memchr(p + 2, '>', static_cast<std::size_t>(end - p - 2)));
            if (p == nullptr) {
                state_ = State::SkipTag;
                return end;
            }
        }
    } else {
        p = std::find_if_not(p, end, IsBlank);
        if (p == end) return end;
        if (*p != '<') {  // no XML, or text outside the list
            Refuse();
            return p;
        }
    }
    state_ = State::Open;
    return p + 1;
}

const char* MachineList::ReadOpen(const char* p) {
    name_.clear();
    if (*p == '!') {
        bang_.clear();
        state_ = State::Bang;
        return p + 1;
    }
    if (*p == '?') {
        repeats_ = 0;
        state_ = State::Pi;
        return p + 1;
    }
    if (inSubset_) {  // only declarations, comments and processing instructions there
        Refuse();
    } else if (*p == '/') {
        state_ = State::EndName;
        return p + 1;
    } else if (IsNameStart(*p)) {
        state_ = State::StartName;
    } else {
        Refuse();
    }
    return p;
}

const char* MachineList::ReadName(const char* p, const char* end) {
    const char* nameEnd = std::find_if_not(p, end, IsNameCharacter);
    name_.append(p, std::min(static_cast<std::size_t>(nameEnd - p), kLongestElementName - name_.size()));
    if (nameEnd == end) return end;
    if (name_.empty()) {  // "</" and no name
        Refuse();
        return nameEnd;
    }
    element_ = ElementNamed(name_);
    if (state_ == State::EndName) {
        state_ = State::EndTag;
    } else if (place_ == Place::BeforeRoot ? element_ != Element::Root : place_ == Place::AfterRoot) {
        Refuse();
    } else {
        tag_.clear();
        quote_ = 0;
        state_ = element_ == Element::Other ? State::SkipTag : State::Attributes;
    }
    return nameEnd;
}

const char* MachineList::ReadAttributes(const char* p, const char* end) {
    const char* tagEnd = FindTagEnd(p, end, quote_);
    if (tag_.size() + static_cast<std::size_t>(tagEnd - p) > kLongestTag) {
        Refuse();
        return end;
    }
    tag_.append(p, tagEnd);
    if (tagEnd == end) return end;
    state_ = State::Text;
    StartTagRead();
    return tagEnd + 1;
}

const char* MachineList::SkipTag(const char* p, const char* end) {
    // A ">" within a value would only leave text behind, and text within
    // the list does not matter.
    p = static_cast<const char*>(std::memchr(p, '>', static_cast<std::size_t>(end - p)));
    if (p == nullptr) return end;
    state_ = State::Text;
    return p + 1;
}

const char* MachineList::ReadEndTag(const char* p, const char* end) {
    p = std::find_if_not(p, end, IsBlank);
    if (p == end) return end;
    if (*p != '>') {
        Refuse();
        return p;
    }
    state_ = State::Text;
    EndElement();
    return p + 1;
}

void MachineList::StartTagRead() {
    std::string_view attributes = tag_;
    while (!attributes.empty() && IsBlank(attributes.back())) attributes.remove_suffix(1);
    const bool empty = !attributes.empty() && attributes.back() == '/';  // <machine .../>: begun and ended
    if (empty) attributes.remove_suffix(1);
    bool shaped = true;
    if (element_ == Element::Root) {
        shaped = place_ == Place::BeforeRoot && ForEachAttribute(attributes, [](std::string_view, std::string_view) {});
        place_ = Place::InRoot;
    } else if (element_ == Element::Machine) {
        currentName_.clear();
        current_ = {};
        const auto take = [this](std::string_view name, std::string_view value) {
            if (name == "name") currentName_ = value;
            else if (name == "cloneof") current_.parent = value;
            else if (name == "isbios") current_.bios = value == "yes";
            else if (name == "isdevice") current_.device = value == "yes";
            else if (name == "ismechanical") current_.mechanical = value == "yes";
            else if (name == "runnable") current_.runnable = value != "no";
        };
        shaped = place_ == Place::InRoot && ForEachAttribute(attributes, take);
        place_ = Place::InMachine;
    } else if (place_ == Place::InMachine) {  // <driver>
        shaped = ForEachAttribute(attributes, [this](std::string_view name, std::string_view value) {
            if (name == "status") current_.status = StatusNamed(value);
        });
    }
    if (!shaped) return Refuse();
    if (empty) EndElement();
}

void MachineList::EndElement() {
    if (element_ == Element::Machine && place_ == Place::InMachine) {
        // A machine without a name is no set.
        std::string name = LowerCased(currentName_);
        if (!name.empty() && (!wanted_ || wanted_->count(name))) machines_.emplace(std::move(name), std::move(current_));
        place_ = Place::InRoot;
    } else if (element_ == Element::Root && place_ == Place::InRoot) {
        place_ = Place::AfterRoot;
        // Whole: the sets asked for need not stay with the answer (each
        // answer of a long evening's F5s would keep its own copy of them all).
        wanted_.reset();
    } else if (element_ == Element::Machine || element_ == Element::Root || place_ == Place::BeforeRoot ||
               place_ == Place::AfterRoot) {
        Refuse();  // the end of an element never begun
    }
}

const char* MachineList::ReadBang(const char* p) {
    // "<!--" begins a comment, "<![CDATA[" a CDATA section; anything else
    // is a declaration, such as <!DOCTYPE ...>.
    constexpr std::string_view kComment = "--", kCData = "[CDATA[";
    bang_ += *p;
    repeats_ = 0;
    if (bang_ == kComment) {
        state_ = State::Comment;
    } else if (bang_ == kCData) {
        state_ = State::CData;
    } else if (kComment.substr(0, bang_.size()) != bang_ && kCData.substr(0, bang_.size()) != bang_) {
        quote_ = 0;
        state_ = State::Declaration;
        return p;  // the declaration's own first byte
    }
    return p + 1;
}

const char* MachineList::SkipPast(const char* p, const char* end, char repeated, int needed) {
    for (; p < end; ++p) {
        if (*p == '>' && repeats_ >= needed) {
            state_ = inSubset_ ? State::Subset : State::Text;
            return p + 1;
        }
        repeats_ = *p == repeated ? std::min(repeats_ + 1, needed) : 0;
    }
    return end;
}

const char* MachineList::SkipDeclaration(const char* p, const char* end) {
    for (; p < end; ++p) {
        if (quote_ != 0) {
            if (*p == quote_) quote_ = 0;
        } else if (*p == '"' || *p == '\'') {
            quote_ = *p;
        } else if (*p == '[' && !inSubset_) {  // the DOCTYPE's own declarations follow
            inSubset_ = true;
            state_ = State::Subset;
            return p + 1;
        } else if (*p == '>') {
            state_ = inSubset_ ? State::Subset : State::Text;
            return p + 1;
        }
    }
    return end;
}

const char* MachineList::SkipSubset(const char* p, const char* end) {
    for (; p < end; ++p) {
        if (*p == ']') {  // back in the DOCTYPE, before its ">"
            inSubset_ = false;
            state_ = State::Declaration;
            return p + 1;
        }
        if (*p == '<') {
            state_ = State::Open;
            return p + 1;
        }
    }
    return end;
}

void MachineList::Refuse() {
    place_ = Place::Refused;
    machines_.clear();
}

HiddenSets::HiddenSets(std::string_view setting) {
    // Words apart by commas or blanks, letter case ignored.
    for (std::size_t start = 0; start < setting.size();) {
        const std::size_t end = std::min(setting.find_first_of(", \t", start), setting.size());
        const std::string_view word = setting.substr(start, end - start);
        clones_ = clones_ || EqualsIgnoreCase(word, "clones");
        mechanical_ = mechanical_ || EqualsIgnoreCase(word, "mechanical");
        notWorking_ = notWorking_ || EqualsIgnoreCase(word, "notworking");
        start = end + 1;
    }
}

bool IsNoGame(const MachineTraits& machine) { return machine.bios || machine.device || !machine.runnable; }

bool HiddenSets::Hides(const MachineTraits& machine) const {
    return IsNoGame(machine) || (clones_ && !machine.parent.empty()) ||
           (mechanical_ && machine.mechanical) || (notWorking_ && machine.status == DriverStatus::Preliminary);
}

}  // namespace tarvo
