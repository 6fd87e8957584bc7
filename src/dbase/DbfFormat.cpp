#include "dbase/DbfFormat.h"

#include "dbase/ByteFields.h"

#include <cctype>
#include <cstdio>
#include <utility>

namespace valmora::dbase {
namespace {

std::string hexByte(std::uint8_t v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", static_cast<unsigned>(v));
    return buf;
}

bool isFoxPro(std::uint8_t version) {
    return version == 0x30 || version == 0x31 || version == 0x32 || version == 0xF5 || version == 0xFB;
}

bool isLevel7(std::uint8_t version) {
    return version == 0x04 || version == 0x8C;
}

bool isReadableVersion(std::uint8_t version) {
    return version == 0x03 || version == 0x83 || version == 0x8B || isLevel7(version);
}

// The descriptors' type letters. 'F', a float some writers use, is read as N; N comes first, so it is written.
constexpr std::pair<char, FieldType> kTypeCodes[] = {
    {'C', FieldType::Character}, {'N', FieldType::Numeric}, {'F', FieldType::Numeric},
    {'D', FieldType::Date},      {'L', FieldType::Logical}, {'I', FieldType::Integer},
    {'+', FieldType::AutoInc},   {'O', FieldType::Double},  {'@', FieldType::Timestamp}};

std::optional<FieldType> typeFromCode(char code) {
    for (const auto& [letter, type] : kTypeCodes)
        if (letter == code)
            return type;
    return std::nullopt;
}

char codeOf(FieldType type) {
    for (const auto& [letter, t] : kTypeCodes)
        if (t == type)
            return letter;
    return '?';
}

bool widthPossible(const FieldDef& f) {
    switch (f.type) {
    case FieldType::Character:
        return f.width >= 1 && f.width <= 254 && f.decimals == 0;
    case FieldType::Numeric:
        // Twenty digits is dBase's own limit; a few writers go a little beyond it.
        return f.width >= 1 && f.width <= 32 && f.decimals >= 0 && f.decimals < f.width;
    case FieldType::Logical:
        return f.width == 1;
    case FieldType::Integer:
    case FieldType::AutoInc:
        return f.width == 4;
    case FieldType::Date:
    case FieldType::Double:
    case FieldType::Timestamp:
        return f.width == 8;
    }
    return false;
}

} // namespace

TableError damagedFile(const std::string& path, const std::string& detail) {
    return TableError("Il file " + path + " è danneggiato: " + detail + ".");
}

DbfLayout parseDbfHeader(std::string_view head, std::uint64_t fileSize, const std::string& path) {
    if (fileSize < 32 || head.size() < 32)
        throw TableError("Il file " + path + " non è una tabella dBase: è troppo corto.");
    DbfLayout layout;
    layout.version = static_cast<std::uint8_t>(head[0]);
    if (isFoxPro(layout.version))
        throw TableError("Il file " + path + " è una tabella FoxPro: questo programma legge solo tabelle dBase.");
    if (!isReadableVersion(layout.version))
        throw TableError("Il file " + path + " non è una tabella dBase (codice di versione " + hexByte(layout.version) +
                         ").");
    layout.level7 = isLevel7(layout.version);
    layout.recordCount = static_cast<std::uint32_t>(getLittleEndian(head, 4, 4));
    layout.headerLength = static_cast<std::uint32_t>(getLittleEndian(head, 8, 2));
    layout.recordLength = static_cast<std::uint32_t>(getLittleEndian(head, 10, 2));

    const std::size_t descriptorStart = layout.level7 ? 68 : 32;
    const std::size_t descriptorSize = layout.level7 ? 48 : 32;
    if (layout.headerLength > fileSize || layout.headerLength > head.size())
        throw damagedFile(path, "l'intestazione (" + std::to_string(layout.headerLength) +
                                    " byte) va oltre la fine del file");
    if (layout.headerLength < descriptorStart + 1)
        throw damagedFile(path, "l'intestazione è troppo corta");

    std::string driverName;
    if (layout.level7) {
        std::string_view name = head.substr(32, 32);
        driverName = std::string(name.substr(0, name.find('\0')));
    }
    const auto driver = static_cast<std::uint8_t>(head[29]);
    const std::optional<CodePage> codePage = codePageFromDriver(driver, driverName);
    if (!codePage)
        throw TableError("Il file " + path + " dichiara il driver di lingua " + hexByte(driver) +
                         ", che questo programma non conosce: i suoi testi non possono essere letti.");
    layout.codePage = *codePage;

    std::uint32_t widthSum = 1;
    std::size_t pos = descriptorStart;
    while (pos < layout.headerLength && head[pos] != '\x0D') {
        if (pos + descriptorSize > layout.headerLength)
            throw damagedFile(path, "la descrizione dei campi è incompleta");
        std::string_view d = head.substr(pos, descriptorSize);
        const std::size_t typeAt = layout.level7 ? 32 : 11; // right after the name
        std::string_view rawName = d.substr(0, typeAt);
        rawName = rawName.substr(0, rawName.find('\0'));
        while (!rawName.empty() && rawName.back() == ' ')
            rawName.remove_suffix(1);
        FieldDef f;
        f.name = decodeText(rawName, layout.codePage);
        const char code = d[typeAt];
        f.width = static_cast<unsigned char>(d[typeAt + 1 + (layout.level7 ? 0 : 4)]);
        f.decimals = static_cast<unsigned char>(d[typeAt + 2 + (layout.level7 ? 0 : 4)]);
        if (f.name.empty())
            throw damagedFile(path, "un campo non ha nome");
        const std::optional<FieldType> type = typeFromCode(code);
        if (!type)
            throw TableError("Il file " + path + " contiene il campo " + f.name + " di tipo '" +
                             decodeText(std::string_view(&code, 1), layout.codePage) +
                             "', che questo programma non sa leggere.");
        f.type = *type;
        if (!widthPossible(f))
            throw damagedFile(path, "il campo " + f.name + " ha una larghezza impossibile (" + std::to_string(f.width) +
                                        "," + std::to_string(f.decimals) + ")");
        layout.offsets.push_back(widthSum);
        widthSum += static_cast<std::uint32_t>(f.width);
        layout.fields.push_back(std::move(f));
        pos += descriptorSize;
    }
    if (layout.fields.empty())
        throw damagedFile(path, "la tabella non ha campi");
    if (widthSum != layout.recordLength)
        throw damagedFile(path, "la lunghezza dei record (" + std::to_string(layout.recordLength) +
                                    ") non corrisponde a quella dei campi (" + std::to_string(widthSum) + ")");

    const std::uint64_t available = (fileSize - layout.headerLength) / layout.recordLength;
    // One record short is a last append torn by a crash; more than that is not.
    if (layout.recordCount > available + 1)
        throw damagedFile(path, "dichiara " + std::to_string(layout.recordCount) + " record ma ne contiene " +
                                    std::to_string(available));
    layout.headerBytes = std::string(head.substr(0, layout.headerLength));
    return layout;
}

DbfLayout buildDbfLayout(const std::vector<FieldDef>& fields, std::string_view indexedField, const std::string& path) {
    if (fields.empty() || fields.size() > 255)
        throw TableError("Impossibile creare il file " + path + ": il numero dei campi non è valido.");
    DbfLayout layout;
    layout.version = 0x03;
    layout.codePage = CodePage::Windows1252;
    layout.headerLength = static_cast<std::uint32_t>(32 + 32 * fields.size() + 1);
    std::uint32_t widthSum = 1;
    std::string header(layout.headerLength, '\0');
    header[0] = 0x03;
    // A production .mdx belongs to the table when it has a tag; dBase refuses a table whose
    // flag promises an .mdx that is not there.
    header[28] = indexedField.empty() ? 0x00 : 0x01;
    header[29] = 0x57; // DBWINUS0: Windows-1252
    std::size_t pos = 32;
    for (const FieldDef& f : fields) {
        bool nameOk = !f.name.empty() && f.name.size() <= 10;
        for (char c : f.name)
            nameOk = nameOk && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
        if (!nameOk)
            throw TableError("Impossibile creare il file " + path + ": il nome di campo '" + f.name +
                             "' non è valido in una tabella dBase.");
        const bool writable = f.type == FieldType::Character || f.type == FieldType::Numeric ||
                              f.type == FieldType::Date || f.type == FieldType::Logical;
        if (!writable || !widthPossible(f) || (f.type == FieldType::Numeric && f.width > 20))
            throw TableError("Impossibile creare il file " + path + ": il campo " + f.name +
                             " ha un tipo o una larghezza che una tabella dBase IV non può contenere.");
        header.replace(pos, f.name.size(), f.name);
        header[pos + 11] = codeOf(f.type);
        header[pos + 16] = static_cast<char>(f.width);
        header[pos + 17] = static_cast<char>(f.decimals);
        if (equalsIgnoringCase(f.name, indexedField))
            header[pos + 31] = 0x01;
        layout.offsets.push_back(widthSum);
        widthSum += static_cast<std::uint32_t>(f.width);
        layout.fields.push_back(f);
        pos += 32;
    }
    header[pos] = '\x0D';
    layout.recordLength = widthSum;
    if (widthSum > 0xFFFF)
        throw TableError("Impossibile creare il file " + path + ": i record sarebbero troppo lunghi.");
    putLittleEndian(header, 8, layout.headerLength, 2);
    putLittleEndian(header, 10, layout.recordLength, 2);
    layout.headerBytes = std::move(header);
    return layout;
}

std::string headerCountBytes(Date lastUpdate, std::uint32_t recordCount) {
    std::string b(7, '\0');
    putUpdateDate(b, 0, lastUpdate);
    putLittleEndian(b, 3, recordCount, 4);
    return b;
}

} // namespace valmora::dbase
