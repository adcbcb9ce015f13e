#include "environment/EventLog.h"

#include "environment/ErrorMessages.h"
#include "environment/KvSetting.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/UserInterface.h"

#include <cstdio>
#include <stdexcept>

namespace environment {
namespace {

int pauses = 0;

std::string paddedCode(int nError) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", nError);
    return text;
}

void appendToLog(const std::string& file, const std::string& text) {
    std::FILE* log = std::fopen(file.c_str(), "ab");
    if (!log) {
        throw std::runtime_error("cannot open the event log " + file);
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), log) == text.size();
    const bool closed = std::fclose(log) == 0;
    if (!written || !closed) {
        throw std::runtime_error("cannot write the event log " + file);
    }
}

// Each entry stays one line of the log, whatever its detail holds.
std::string oneLine(const std::string& text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            line += " | ";
        } else {
            line += c;
        }
    }
    return line;
}

} // namespace

std::string composeEventMessage(int nError) {
    const std::string T = ProgramTitle;
    const TErrorMessage* row = findErrorMessage(nError);
    if (!row) {
        return T;
    }
    const std::string sMsg(row->sMsg);
    const std::string K = std::to_string(kvSetting.Kod2);
    switch (row->nMsg) {
    case 1:
        return sMsg + kvSetting.KVDir.dirKalver;
    case 10:
        return sMsg + " " + T;
    case 11:
        return sMsg + ": " + platform::executablePath();
    case 12:
        return sMsg + ": " + kvSetting.Archive.ArchiveName1 + " => " + kvSetting.Archive.ArchiveName2;
    case 20:
        return sMsg + " " + K;
    case 21:
        return T + ". " + sMsg + " " + K;
    case 22:
        return "-" + K;
    default:
        return sMsg;
    }
}

EventLogPause::EventLogPause() {
    ++pauses;
}

EventLogPause::~EventLogPause() {
    --pauses;
}

void fw_Write_Register(int nError, const std::string& detail) {
    if (pauses > 0) {
        kvSetting.Kod2 = 0;
        return;
    }
    if (nError == 0 && !platform::createDirectories(kvSetting.KVDir.VeskVersionInfo)) {
        return;
    }
    std::string M = composeEventMessage(nError);
    if (kvSetting.Kod2 > 0 && nError > 100 && nError < 105) {
        platform::ui().showMessage("Произошла ошибка. Код: " + std::to_string(nError) + "-" +
                                   std::to_string(kvSetting.Kod2) + "\r\r" + "Проверьте по таблице кодов");
        kvSetting.Kod2 = 0;
    }
    const std::string C = paddedCode(nError);
    if (kvSetting.Kod2 > 10000) {
        M += " " + std::to_string(kvSetting.Kod2);
    }
    if (!detail.empty()) {
        M += ": " + oneLine(detail);
    }
    const auto now = platform::now();
    std::string text = nError == 0 ? "\r\n" : "";
    text += platform::formatDate(now) + " " + platform::formatTime(now) + ": *" + C + " " + M + "\r\n";
    appendToLog(kvSetting.KVFile.FileRegister, text);
    kvSetting.Kod2 = 0;
}

} // namespace environment
