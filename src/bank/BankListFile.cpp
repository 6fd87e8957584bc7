#include "bank/BankListFile.h"

#include "bank/BankCsvReader.h"
#include "bank/BankText.h"
#include "bank/Camt053Reader.h"
#include "dbase/FileSystem.h"

namespace valmora::bank {

namespace {

// A bank's list of a year is a few megabytes at most; a file far larger is not one.
constexpr std::uint64_t kLargestList = 256u * 1024u * 1024u;

std::string readWhole(const std::string& path, dbase::FileSystem& fs) {
    try {
        std::unique_ptr<dbase::File> file = fs.open(path, dbase::OpenMode::Read);
        const std::uint64_t size = file->size();
        if (size > kLargestList)
            throw BankListError("Il file \"" + path + "\" è troppo grande per essere un elenco di movimenti.");
        std::string bytes(static_cast<std::size_t>(size), '\0');
        bytes.resize(file->readAt(0, bytes.data(), bytes.size()));
        return bytes;
    } catch (const dbase::FileError& e) {
        const std::string why = e.kind() == dbase::FileError::Kind::NotFound       ? "non esiste"
                                : e.kind() == dbase::FileError::Kind::AccessDenied ? "non si può aprire (accesso negato)"
                                                                                   : "non si può leggere";
        throw BankListError("Il file \"" + path + "\" " + why + ".");
    }
}

} // namespace

std::vector<BankLine> readBankListBytes(std::string_view bytes, const std::string& fileName) {
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3); // a byte-order mark and nothing else is an empty file too
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        throw BankListError("Il file \"" + fileName + "\" è vuoto.");
    if (looksLikeXml(bytes))
        return readCamt053(bytes, fileName);
    if (looksBinary(bytes))
        throw BankListError("Il file \"" + fileName + "\" non è un elenco di movimenti: non è un file di testo.");
    return readBankCsv(bytes, fileName);
}

std::vector<BankLine> readBankList(const std::string& path, dbase::FileSystem& fs) {
    return readBankListBytes(readWhole(path, fs), path);
}

} // namespace valmora::bank
