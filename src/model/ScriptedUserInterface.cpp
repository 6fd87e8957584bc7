#include "model/ScriptedUserInterface.h"

#include "core/Paths.h"

#include <filesystem>

#include <algorithm>
#include <ostream>
#include <stdexcept>

namespace valmora {

namespace {

using Kind = ScriptedAnswer::Kind;

struct AnswerWord {
    std::string_view word;
    Kind kind;
    bool takesText;
};

constexpr AnswerWord kAnswerWords[] = {
    {"si", Kind::Si, false},
    {"no", Kind::No, false},
    {"ok", Kind::Ok, false},
    {"annulla", Kind::Annulla, false},
    {"aiuto", Kind::Aiuto, false},
    {"conferma", Kind::Conferma, false},
    {"password", Kind::Password, true},
    {"file", Kind::File, true},
};

std::string_view wordOf(Kind kind) {
    for (const auto& entry : kAnswerWords) {
        if (entry.kind == kind) {
            return entry.word;
        }
    }
    return "?";
}

std::string acceptedWords(std::initializer_list<Kind> fits) {
    std::string list;
    for (Kind kind : fits) {
        if (!list.empty()) {
            list += ", ";
        }
        list += wordOf(kind);
        if (kind == Kind::Password) {
            list += " TESTO";
        } else if (kind == Kind::File) {
            list += " PERCORSO";
        }
    }
    return list;
}

} // namespace

std::string ScriptedAnswer::word() const {
    std::string result(wordOf(kind));
    if (kind == Kind::Password || kind == Kind::File) {
        result += ' ';
        result += text;
    }
    return result;
}

std::vector<ScriptedAnswer> parseAnswerWords(const std::vector<std::string>& words, int sourceLine) {
    std::vector<ScriptedAnswer> answers;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto* entry = std::find_if(std::begin(kAnswerWords), std::end(kAnswerWords),
                                         [&](const AnswerWord& candidate) { return candidate.word == words[i]; });
        if (entry == std::end(kAnswerWords)) {
            throw std::invalid_argument("risposta sconosciuta \"" + words[i] +
                                        "\" (valgono: si, no, ok, annulla, aiuto, conferma, password TESTO, "
                                        "file PERCORSO)");
        }
        ScriptedAnswer answer{entry->kind, {}, sourceLine};
        if (entry->takesText) {
            if (i + 1 == words.size()) {
                throw std::invalid_argument("la risposta \"" + words[i] + "\" vuole " +
                                            (entry->kind == Kind::Password ? "il testo" : "il percorso") +
                                            " dopo di sé");
            }
            answer.text = words[++i];
        }
        answers.push_back(std::move(answer));
    }
    return answers;
}

void ScriptedUserInterface::flushEcho() {
    if (echo_ != nullptr) {
        echo_->flush();
    }
}

ScriptedUserInterface::ScriptedUserInterface(std::ostream& echo, bool keepTranscript)
    : echo_(&echo), keepTranscript_(keepTranscript) {}

void ScriptedUserInterface::queueAnswer(ScriptedAnswer answer) {
    queue_.push_back(std::move(answer));
}

void ScriptedUserInterface::queueAnswers(const std::vector<std::string>& words, int sourceLine) {
    // Parse all first: a bad word queues nothing.
    for (auto& answer : parseAnswerWords(words, sourceLine)) {
        queue_.push_back(std::move(answer));
    }
}

std::string ScriptedUserInterface::transcriptText() const {
    std::string text;
    for (const auto& line : transcript_) {
        text += line;
        text += '\n';
    }
    return text;
}

void ScriptedUserInterface::clearTranscript() {
    transcript_.clear();
    messages_.clear();
    helpOpenings_ = 0;
}

void ScriptedUserInterface::writeLine(std::string line) {
    if (echo_ != nullptr) {
        // Flushed at once so the lines interleave correctly with anything written to standard error.
        *echo_ << line << '\n' << std::flush;
    }
    if (keepTranscript_) {
        transcript_.push_back(std::move(line));
    }
}

ScriptedAnswer ScriptedUserInterface::take(std::initializer_list<Kind> fits, Kind fallback, std::string_view question) {
    if (queue_.empty()) {
        ScriptedAnswer byDefault{fallback, {}, 0};
        writeLine("RISPOSTA: " + byDefault.word());
        return byDefault;
    }
    const ScriptedAnswer& next = queue_.front();
    if (std::find(fits.begin(), fits.end(), next.kind) == fits.end()) {
        std::string where = next.sourceLine > 0 ? ", data alla riga " + std::to_string(next.sourceLine) + "," : "";
        throw ScriptedAnswerMismatch("la risposta \"" + next.word() + "\"" + where + " non vale per " +
                                     std::string(question) + " (valgono: " + acceptedWords(fits) + ")");
    }
    ScriptedAnswer answer = next;
    queue_.pop_front();
    writeLine("RISPOSTA: " + answer.word());
    return answer;
}

Answer ScriptedUserInterface::message(const std::string& text, Buttons buttons) {
    std::string shown = "MESSAGGIO [" + buttonsLabel(buttons) + "]: " + escapeLineBreaks(text);
    writeLine(shown);

    Answer answer = Answer::Ok;
    switch (buttons) {
    case Buttons::Yes:
        answer = Answer::Yes;
        break;
    case Buttons::Ok:
        answer = Answer::Ok;
        break;
    case Buttons::YesNo:
        answer = take({Kind::Si, Kind::No}, Kind::Si, shown).kind == Kind::Si ? Answer::Yes : Answer::No;
        break;
    case Buttons::NoOk:
        answer = take({Kind::No, Kind::Ok}, Kind::No, shown).kind == Kind::Ok ? Answer::Ok : Answer::No;
        break;
    case Buttons::NoOkHelp:
        // Help opens the help and leaves the same box open for the next answer.
        for (;;) {
            Kind kind = take({Kind::No, Kind::Ok, Kind::Aiuto}, Kind::No, shown).kind;
            if (kind != Kind::Aiuto) {
                answer = kind == Kind::Ok ? Answer::Ok : Answer::No;
                break;
            }
            ++helpOpenings_;
        }
        break;
    }
    if (keepTranscript_) {
        messages_.push_back({text, buttons, answer});
    }
    return answer;
}

// A file dialog hands back a full path, whatever was typed into it; messages that name the file show it so.
std::string ScriptedUserInterface::asDialogReturnsIt(const std::string& typed) {
    return fromPath(std::filesystem::absolute(toPath(typed)).lexically_normal());
}

std::optional<std::string> ScriptedUserInterface::answerFileDialog(std::string_view question, Kind fallback) {
    if (commandFile_) {
        std::string chosen = std::move(*commandFile_);
        commandFile_.reset();
        return asDialogReturnsIt(chosen);
    }
    ScriptedAnswer answer = take({Kind::File, Kind::Annulla}, fallback, question);
    if (answer.kind == Kind::File) {
        return asDialogReturnsIt(answer.text);
    }
    return std::nullopt;
}

std::optional<std::string> ScriptedUserInterface::askSaveFile(const FileDialogRequest& request) {
    return answerFileDialog("la finestra di salvataggio \"" + request.title + "\"", Kind::Annulla);
}

std::optional<std::string> ScriptedUserInterface::askOpenFile(const FileDialogRequest& request) {
    // Without a queued file there is nothing sensible to pick: the dialog is cancelled.
    return answerFileDialog("la finestra di apertura \"" + request.title + "\"", Kind::Annulla);
}

void ScriptedUserInterface::chartCleared(LedgerChart chart) {
    switch (chart) {
    case LedgerChart::Saldo:
        view_.saldo.clear();
        break;
    case LedgerChart::FuoriConto:
        view_.fuoriConto.clear();
        break;
    case LedgerChart::Movimenti:
        view_.pie.clear();
        break;
    }
}

void ScriptedUserInterface::chartPointAdded(LedgerChart chart, const ChartPoint& point) {
    if (chart == LedgerChart::Saldo) {
        view_.saldo.push_back(point);
    } else if (chart == LedgerChart::FuoriConto) {
        view_.fuoriConto.push_back(point);
    }
    // The pie has slices, not points: nothing to keep.
}

ScriptedUserInterface::ProposalReply ScriptedUserInterface::answerProposal(std::string_view fields) {
    std::string shown = "PROPOSTA: " + std::string(fields);
    writeLine(shown);
    return take({Kind::Conferma, Kind::Annulla}, Kind::Annulla, shown).kind == Kind::Conferma ? ProposalReply::Confirm
                                                                                              : ProposalReply::Cancel;
}

ScriptedUserInterface::PasswordReply ScriptedUserInterface::answerPasswordPrompt() {
    ScriptedAnswer answer =
        take({Kind::Password, Kind::Ok, Kind::Annulla}, Kind::Annulla, "la richiesta della password");
    switch (answer.kind) {
    case Kind::Password:
        return {PasswordReply::Kind::Typed, answer.text};
    case Kind::Ok:
        return {PasswordReply::Kind::OkUntyped, {}};
    default:
        return {PasswordReply::Kind::Cancel, {}};
    }
}

std::optional<ProposalValues> ScriptedUserInterface::askProposal(const OperationProposal& proposal) {
    const std::string fields = proposal.data.toString() + ";" + proposal.operazione + ";" + proposal.tipo + ";" +
                               proposal.importo.plain() + ";" + proposal.descrizione;
    if (answerProposal(fields) == ProposalReply::Cancel) {
        return std::nullopt;
    }
    return ProposalValues{proposal.data, proposal.tipo, proposal.importo, proposal.descrizione};
}

std::optional<std::string> ScriptedUserInterface::askPassword(const PasswordPrompt& prompt) {
    PasswordReply reply = answerPasswordPrompt();
    switch (reply.kind) {
    case PasswordReply::Kind::Typed:
        return reply.text;
    case PasswordReply::Kind::OkUntyped:
        return prompt.testo;
    case PasswordReply::Kind::Cancel:
        break;
    }
    return std::nullopt;
}

std::string ScriptedUserInterface::buttonsLabel(Buttons buttons) {
    switch (buttons) {
    case Buttons::Yes:
        return "Si";
    case Buttons::Ok:
        return "Ok";
    case Buttons::YesNo:
        return "Si,No";
    case Buttons::NoOk:
        return "No,Ok";
    case Buttons::NoOkHelp:
        return "No,Ok,Aiuto";
    }
    return "?";
}

std::string ScriptedUserInterface::escapeLineBreaks(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            // "\r\n" is one break; a lone "\r" is one too.
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            escaped += "\\n";
        } else if (text[i] == '\n') {
            escaped += "\\n";
        } else {
            escaped += text[i];
        }
    }
    return escaped;
}

} // namespace valmora
