#pragma once
// An account whose files a test can put back as they were, and a second main window over them on a file
// system that fails on purpose, for the tests of what a crash, a full disk or a second program may do.

#include "MasterFixture.h"

#include "dbase/FaultyFileSystem.h"
#include "model/OperationCatalogue.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

namespace valmora::testing {

inline std::string readBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The real disk without its flushes: a walk stops the "program", never the machine, so what was written is read
// back whether or not it was synced, and hundreds of runs take seconds instead of minutes.
class DiscoSenzaSync : public dbase::FileSystem {
public:
    std::unique_ptr<dbase::File> open(const std::string& path, dbase::OpenMode mode) override {
        return std::make_unique<FileSenzaSync>(disk_->open(path, mode));
    }
    void rename(const std::string& from, const std::string& to) override { disk_->rename(from, to); }
    void remove(const std::string& path) override { disk_->remove(path); }
    bool exists(const std::string& path) override { return disk_->exists(path); }
    void makeDirectories(const std::string& path) override { disk_->makeDirectories(path); }
    void syncDirectory(const std::string&) override {}
    std::unique_ptr<dbase::FileLock> tryLock(const std::string& path) override { return disk_->tryLock(path); }

private:
    class FileSenzaSync : public dbase::File {
    public:
        explicit FileSenzaSync(std::unique_ptr<dbase::File> inner) : inner_(std::move(inner)) {}
        std::uint64_t size() override { return inner_->size(); }
        std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
            return inner_->readAt(offset, buffer, count);
        }
        void writeAt(std::uint64_t offset, const void* data, std::size_t count) override {
            inner_->writeAt(offset, data, count);
        }
        void truncate(std::uint64_t size) override { inner_->truncate(size); }
        void sync() override {}

    private:
        std::unique_ptr<dbase::File> inner_;
    };
    std::shared_ptr<dbase::FileSystem> disk_ = dbase::diskFileSystem();
};

// The real disk, except that no new file can be written under a folder named `pieno` (a snapshot that cannot
// be taken while the account itself is fine), until `libera()`.
class CartellaPiena : public DiscoSenzaSync {
public:
    explicit CartellaPiena(std::string pieno) : pieno_("/" + std::move(pieno) + "/") {}
    void libera() { pieno_.clear(); }
    std::unique_ptr<dbase::File> open(const std::string& path, dbase::OpenMode mode) override {
        if (mode == dbase::OpenMode::Create && !pieno_.empty() && path.find(pieno_) != std::string::npos)
            throw dbase::FileError(dbase::FileError::Kind::DiskFull, "disk full: " + path);
        return DiscoSenzaSync::open(path, mode);
    }

private:
    std::string pieno_;
};

// A main window of its own (another "program") over `fs`.
struct Finestra {
    RecordingUserInterface ui;
    FormMaster master;
    Finestra(const Clock& clock, std::shared_ptr<dbase::FileSystem> fs, const std::string& cartella)
        : master(ui, clock, std::move(fs)) {
        master.Avvio(PreferenzeFinestra::Predefinite(cartella));
    }
    void apri(const std::string& percorso) {
        ui.chooseFileInNextDialog(percorso);
        master.Apri1Click();
        ui.forgetCommandChoices();
    }
    void movimento(TipoInserimento tipo, Date data, const std::string& importo, const std::string& tipoMov = {}) {
        master.Entry().ComandoInserimento(tipo, [&](OperationEntry& e) {
            e.Scheda().Calendario = data;
            e.Scheda().EditImporto = importo;
            if (!tipoMov.empty())
                e.Scheda().ComboBoxTipo = tipoMov;
            return DialogResult::Ok;
        });
    }
    // The position in the value-date order of the first movement of operation `op` and amount `importo`.
    int riga(const std::string& op, const std::string& importo) {
        dbase::Table& t = master.DM().MainTable;
        for (t.first(); !t.eof(); t.next()) {
            if (t.fieldByName("OPERAZIONE").asString() == op && t.fieldByName("IMPORTO").asMoney().plain() == importo)
                return t.recNo();
        }
        throw std::runtime_error("no " + op + " of " + importo);
    }
    // The movement at position `riga` of the value-date order, changed by `cambia` in the modify dialog.
    void modifica(int riga, const std::function<void(SchedaOperazione&)>& cambia) {
        master.DM().MainTable.moveTo(riga);
        master.Entry().SpeedModificaClick([&](OperationEntry& e) {
            cambia(e.Scheda());
            return DialogResult::Ok;
        });
    }
    void elimina(int riga) {
        master.DM().MainTable.moveTo(riga);
        master.Entry().SpeedEliminaClick([](OperationEntry&) { return DialogResult::Ok; });
    }
};

class SafetyTest : public MasterTest {
protected:
    std::string conto() const { return dir.folder() + "C.dbf"; }

    // The movements the user wrote (not the interest and charges the program regenerates), sorted.
    std::vector<std::string> movimentiUtente(const std::string& nome = "C.dbf") {
        std::vector<std::string> righe;
        for (const std::string& r : movimentiSuDisco(nome)) {
            if (r.find(" Interessi ") == std::string::npos && r.find(" Imposta ") == std::string::npos)
                righe.push_back(r);
        }
        std::sort(righe.begin(), righe.end());
        return righe;
    }

    // C.dbf with three credits and a cash-machine withdrawal, saved and closed.
    void contoDiProva() {
        nuovo("C.dbf");
        accredito(d(2026, 1, 10), "1000");
        accredito(d(2026, 2, 10), "200");
        accredito(d(2026, 3, 1), "30");
        master.Entry().ComandoInserimento(TipoInserimento::Prelievo, [](OperationEntry& e) {
            e.Scheda().Calendario = d(2026, 3, 2);
            e.Scheda().EditImporto = "50";
            e.Scheda().ComboBoxTipo = "S. Bancomat";
            return DialogResult::Ok;
        });
        master.Salva1Click();
        chiudi("si");
    }

    // The account folder saved aside, to be put back before each run of a walk.
    void salvaModello() {
        modello_ = dir.path().parent_path() / (dir.path().filename().string() + "-modello");
        std::filesystem::remove_all(modello_);
        std::filesystem::copy(dir.path(), modello_, std::filesystem::copy_options::recursive);
    }
    void ripristinaModello() {
        for (const auto& e : std::filesystem::directory_iterator(dir.path()))
            std::filesystem::remove_all(e.path());
        // Entry by entry: the Windows C++ library refuses to copy a folder onto one that exists.
        for (const auto& e : std::filesystem::directory_iterator(modello_))
            std::filesystem::copy(e.path(), dir.path() / e.path().filename(), std::filesystem::copy_options::recursive);
    }
    void TearDown() override {
        if (!modello_.empty())
            std::filesystem::remove_all(modello_);
    }

private:
    std::filesystem::path modello_;
};

} // namespace valmora::testing
