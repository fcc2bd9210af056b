// Writes the modules described by PeBuilder: headers, one section holding the resource
// tree, and the requested damage.
#include "tests/support/PeBuilder.h"

#include "platform/AsciiText.h"
#include "platform/Files.h"

#include <algorithm>

namespace glyphora::testing {

namespace {

constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kPeOffset = 0x40;

std::size_t AlignUp(std::size_t value, std::size_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    if (out.size() < at + 2) out.resize(at + 2);
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value)
{
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

// Test names are valid UTF-8; decode them to UTF-16 code units.
std::u16string ToUtf16(const std::string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + static_cast<std::size_t>(k) < text.size(); ++k)
            cp = (cp << 6) | (static_cast<std::uint8_t>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

bool SameName(const PeBuilder::Name& a, const PeBuilder::Name& b)
{
    return a.isString == b.isString && (a.isString ? a.text == b.text : a.id == b.id);
}

// Linker order: string names first, compared without regard to ASCII case, then numbers.
bool NameBefore(const PeBuilder::Name& a, const PeBuilder::Name& b)
{
    if (a.isString != b.isString) return a.isString;
    if (!a.isString) return a.id < b.id;
    return std::lexicographical_compare(a.text.begin(), a.text.end(), b.text.begin(), b.text.end(), [](char x, char y) {
        return static_cast<unsigned char>(AsciiUpper(x)) < static_cast<unsigned char>(AsciiUpper(y));
    });
}

struct LanguageNode {
    std::uint16_t language;
    const std::vector<std::uint8_t>* data;
    std::size_t extraDirectory = 0;
    std::size_t dataEntry = 0;
    std::size_t dataOffset = 0;
};
struct NameNode {
    PeBuilder::Name name;
    std::vector<LanguageNode> languages;
    std::size_t directory = 0;
    std::size_t nameString = 0;
};
struct TypeNode {
    PeBuilder::Name name;
    std::vector<NameNode> names;
    std::size_t directory = 0;
    std::size_t nameString = 0;
};

template <typename Node>
Node& FindOrAdd(std::vector<Node>& nodes, const PeBuilder::Name& name)
{
    for (auto& node : nodes)
        if (SameName(node.name, name)) return node;
    nodes.push_back(Node{name, {}});
    return nodes.back();
}

} // namespace

PeBuilder& PeBuilder::addResource(Name type, Name name, std::uint16_t language, std::vector<std::uint8_t> data)
{
    resources_.push_back({std::move(type), std::move(name), language, std::move(data)});
    return *this;
}

PeBuilder& PeBuilder::setOrder(Order order)
{
    order_ = order;
    return *this;
}

PeBuilder& PeBuilder::addDefect(Defect defect)
{
    defects_.insert(defect);
    return *this;
}

PeBuilder& PeBuilder::truncateTo(std::size_t size)
{
    truncateTo_ = size;
    return *this;
}

std::vector<std::uint8_t> PeBuilder::buildResourceSection(std::uint32_t sectionRva, std::uint32_t& dataStart) const
{
    std::vector<TypeNode> types;
    for (const auto& r : resources_) {
        auto& name = FindOrAdd(FindOrAdd(types, r.type).names, r.name);
        name.languages.push_back({r.language, &r.data});
    }
    if (order_ == Order::Sorted) {
        const auto byName = [](const auto& a, const auto& b) { return NameBefore(a.name, b.name); };
        std::stable_sort(types.begin(), types.end(), byName);
        for (auto& t : types) {
            std::stable_sort(t.names.begin(), t.names.end(), byName);
            for (auto& n : t.names)
                std::stable_sort(n.languages.begin(), n.languages.end(),
                                 [](const auto& a, const auto& b) { return a.language < b.language; });
        }
    }

    // Lay out: directories level by level, data entries, name strings, then the data.
    std::size_t pos = 16 + 8 * types.size();
    for (auto& t : types)
        t.directory = pos, pos += 16 + 8 * t.names.size();
    for (auto& t : types)
        for (auto& n : t.names)
            n.directory = pos, pos += 16 + 8 * n.languages.size();
    if (has(Defect::FourthLevel))
        for (auto& t : types)
            for (auto& n : t.names)
                for (auto& l : n.languages)
                    l.extraDirectory = pos, pos += 16 + 8;
    for (auto& t : types)
        for (auto& n : t.names)
            for (auto& l : n.languages)
                l.dataEntry = pos, pos += 16;
    const auto placeString = [&](const Name& name, std::size_t& at) {
        if (name.isString) at = pos, pos += 2 + 2 * ToUtf16(name.text).size();
    };
    for (auto& t : types) {
        placeString(t.name, t.nameString);
        for (auto& n : t.names)
            placeString(n.name, n.nameString);
    }
    pos = AlignUp(pos, 8);
    dataStart = static_cast<std::uint32_t>(pos);
    for (auto& t : types)
        for (auto& n : t.names)
            for (auto& l : n.languages)
                l.dataOffset = pos, pos = AlignUp(pos + l.data->size(), 8);

    std::vector<std::uint8_t> out(pos, 0);
    const auto writeString = [&](const Name& name, std::size_t at) {
        if (!name.isString) return;
        const auto units = ToUtf16(name.text);
        Put16(out, at, static_cast<std::uint32_t>(units.size()));
        for (std::size_t i = 0; i < units.size(); ++i)
            Put16(out, at + 2 + 2 * i, units[i]);
    };
    const auto nameField = [&](const Name& name, std::size_t stringAt) -> std::uint32_t {
        if (!name.isString) return name.id;
        return kHighBit | (has(Defect::StringNameOutsideFile) ? 0x7FFFFFF0u : static_cast<std::uint32_t>(stringAt));
    };
    // A directory header with its counts; the caller writes the entries.
    const auto writeDirectory = [&](std::size_t at, std::size_t named, std::size_t ids) {
        Put16(out, at + 12, has(Defect::HugeEntryCounts) ? 0xFFFF : static_cast<std::uint32_t>(named));
        Put16(out, at + 14, has(Defect::HugeEntryCounts) ? 0xFFFF : static_cast<std::uint32_t>(ids));
    };
    const auto writeDirectoryOf = [&](std::size_t at, const auto& children) {
        const auto named = static_cast<std::size_t>(
            std::count_if(children.begin(), children.end(), [](const auto& c) { return c.name.isString; }));
        writeDirectory(at, named, children.size() - named);
    };
    const auto writeEntry = [&](std::size_t directory, std::size_t index, std::uint32_t name, std::uint32_t target) {
        Put32(out, directory + 16 + 8 * index, name);
        Put32(out, directory + 16 + 8 * index + 4, target);
    };

    writeDirectoryOf(0, types);
    for (std::size_t ti = 0; ti < types.size(); ++ti) {
        auto& t = types[ti];
        writeString(t.name, t.nameString);
        const std::size_t typeTarget = has(Defect::TypeDirectoryIsRoot) ? 0 : t.directory;
        writeEntry(0, ti, nameField(t.name, t.nameString), kHighBit | static_cast<std::uint32_t>(typeTarget));
        writeDirectoryOf(t.directory, t.names);
        for (std::size_t ni = 0; ni < t.names.size(); ++ni) {
            auto& n = t.names[ni];
            writeString(n.name, n.nameString);
            std::size_t nameTarget = n.directory;
            if (has(Defect::NameDirectoryLoopsToRoot)) nameTarget = 0;
            if (has(Defect::LanguageDirectoryIsParent)) nameTarget = t.directory;
            writeEntry(t.directory, ni, nameField(n.name, n.nameString),
                       kHighBit | static_cast<std::uint32_t>(nameTarget));
            writeDirectory(n.directory, 0, n.languages.size()); // languages are ids
            for (std::size_t li = 0; li < n.languages.size(); ++li) {
                auto& l = n.languages[li];
                auto target = static_cast<std::uint32_t>(l.dataEntry);
                if (has(Defect::FourthLevel)) {
                    writeDirectory(l.extraDirectory, 0, 1);
                    writeEntry(l.extraDirectory, 0, l.language, target);
                    target = kHighBit | static_cast<std::uint32_t>(l.extraDirectory);
                }
                writeEntry(n.directory, li, l.language, target);
                const std::uint32_t dataRva = has(Defect::DataOffsetPastEnd)
                                                  ? 0x7FFFFF00u
                                                  : sectionRva + static_cast<std::uint32_t>(l.dataOffset);
                const auto size =
                    has(Defect::DataSizePastEnd) ? 0xFFFFFFF0u : static_cast<std::uint32_t>(l.data->size());
                Put32(out, l.dataEntry, dataRva);
                Put32(out, l.dataEntry + 4, size);
                std::copy(l.data->begin(), l.data->end(), out.begin() + static_cast<std::ptrdiff_t>(l.dataOffset));
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> PeBuilder::build() const
{
    const bool plus = bits_ == Bits::Pe32Plus;
    const bool withResources = !resources_.empty();
    std::uint32_t dataStart = 0;
    std::vector<std::uint8_t> section =
        withResources ? buildResourceSection(kSectionRva, dataStart) : std::vector<std::uint8_t>(16, 0);
    const auto virtualSize = static_cast<std::uint32_t>(section.size());
    const auto rawSize = static_cast<std::uint32_t>(AlignUp(section.size(), kFileAlignment));
    section.resize(rawSize, 0);

    std::vector<std::uint8_t> out(kResourceFileOffset, 0);
    out[0] = 'M', out[1] = 'Z';
    Put32(out, 0x3C, kPeOffset);
    Put32(out, kPeOffset, 0x00004550);

    const std::size_t coff = kPeOffset + 4;
    const std::uint32_t optionalSize = plus ? 240 : 224;
    Put16(out, coff, plus ? 0x8664 : 0x14C);
    Put16(out, coff + 2, 1);
    Put16(out, coff + 16, optionalSize);
    Put16(out, coff + 18, plus ? 0x2022 : 0x2102); // executable DLL (+ 32-bit machine)

    const std::size_t optional = coff + 20;
    Put16(out, optional, plus ? 0x20B : 0x10B);
    if (plus) {
        Put32(out, optional + 24, 0x40000000); // ImageBase 0x1'4000'0000, low word
        Put32(out, optional + 28, 0x1);
    } else {
        Put32(out, optional + 28, 0x00400000);
    }
    Put32(out, optional + 32, kSectionAlignment);
    Put32(out, optional + 36, kFileAlignment);
    Put16(out, optional + 40, 6); // operating system version
    Put16(out, optional + 48, 6); // subsystem version
    Put32(out, optional + 56, static_cast<std::uint32_t>(kSectionRva + AlignUp(virtualSize, kSectionAlignment)));
    Put32(out, optional + 60, kResourceFileOffset);
    Put16(out, optional + 68, 2); // Windows GUI subsystem
    const std::size_t rvaCount = optional + (plus ? 108 : 92);
    const std::size_t directories = rvaCount + 4;
    Put32(out, rvaCount, has(Defect::NoResourceDirectory) ? 2 : 16);
    if (withResources) {
        Put32(out, directories + 16, has(Defect::ResourceRvaOutsideSections) ? 0x00100000 : kSectionRva);
        Put32(out, directories + 20, virtualSize);
    }

    const std::size_t header = optional + optionalSize;
    const char* sectionName = withResources ? ".rsrc" : ".data";
    for (std::size_t i = 0; sectionName[i] != '\0'; ++i)
        out[header + i] = static_cast<std::uint8_t>(sectionName[i]);
    Put32(out, header + 8, virtualSize);
    Put32(out, header + 12, kSectionRva);
    std::uint32_t sectionRaw = rawSize;
    if (has(Defect::ResourceSectionZeroSize)) sectionRaw = 0;
    if (has(Defect::ResourceRawShorterThanVirtual)) sectionRaw = dataStart;
    Put32(out, header + 16, sectionRaw);
    Put32(out, header + 20, has(Defect::ResourceSectionPastEnd) ? 0x00F00000 : kResourceFileOffset);
    Put32(out, header + 36, 0x40000040); // initialised data, readable

    out.insert(out.end(), section.begin(), section.end());

    if (has(Defect::BadDosMagic)) out[0] = 'X';
    if (has(Defect::LfanewPastEnd)) Put32(out, 0x3C, 0xFFFFFF00u);
    if (has(Defect::BadPeSignature)) out[kPeOffset + 1] = 'X';
    if (has(Defect::BadOptionalHeaderMagic)) Put16(out, optional, 0x107);
    if (has(Defect::SectionTablePastEnd)) Put16(out, coff + 2, 0xFFFF);
    if (out.size() > truncateTo_) out.resize(truncateTo_);
    return out;
}

void PeBuilder::writeTo(const std::filesystem::path& path) const
{
    WriteWholeFile(path, build());
}

} // namespace glyphora::testing
