#include "installer/RemovalLogs.h"

#include <cctype>

#include "installer/LogFiles.h"
#include "installer/WindowsInstaller.h"

namespace {

// What msiexec's /l*v writes: every INSTALLLOGMODE_* message type, property dump and verbose
// output included.
constexpr unsigned kLogModeVerboseAll = 0x1FDF;
// INSTALLLOGMODE_LOGONLYONERROR (Windows Installer 5.0): the log is written only when the
// removal fails. Older installers refuse the flag, and then log every removal.
constexpr unsigned kLogModeOnlyOnError = 0x4000;
// INSTALLLOGATTRIBUTES_APPEND: the file is ours already, and the retries of a busy installer
// belong in the same log.
constexpr unsigned kLogAttributesAppend = 0x1;

// A name is tried again with a number when it is taken, but not forever: past this the folder
// is not one to write into.
constexpr int kMaxAttempts = 100;

bool IsProductCodeForm(const std::string& text) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        const auto byte = static_cast<unsigned char>(text[i]);
        if (dash ? byte != '-' : !std::isxdigit(byte)) return false;
    }
    return true;
}

}  // namespace

RemovalLogs::RemovalLogs(WindowsInstaller& installer, LogFiles* files)
    : m_installer(installer),
      m_files(files),
      m_timestamp(files ? files->LocalTimestamp() : std::string()) {}

std::string RemovalLogs::FileName(const std::string& timestamp, const std::string& productCode,
                                  int attempt) {
    std::string name = timestamp + "-" + (IsProductCodeForm(productCode) ? productCode : "driver");
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name + ".log";
}

void RemovalLogs::Begin(const std::string& productCode) {
    m_current.clear();
    if (!m_files || m_folderFailed) return;
    if (m_folder.empty()) {
        const std::string folder = m_files->Folder();
        if (folder.empty() || !m_files->CreateFolder(folder)) {
            m_folderFailed = true;
            return;
        }
        m_folder = folder;
    }

    std::string path;
    for (int attempt = 1; attempt <= kMaxAttempts && path.empty(); ++attempt) {
        const std::string candidate = m_folder + "\\" + FileName(m_timestamp, productCode, attempt);
        if (m_files->CreateNewFile(candidate)) path = candidate;
    }
    if (path.empty()) return;

    const auto enable = [&](unsigned mode) {
        return m_installer.EnableLog(mode, path.c_str(), kLogAttributesAppend) == 0;
    };
    if (!enable(kLogModeVerboseAll | kLogModeOnlyOnError) && !enable(kLogModeVerboseAll)) {
        m_files->RemoveFile(path);
        return;
    }
    m_current = path;
}

void RemovalLogs::End(RemovalOutcome outcome) {
    if (m_current.empty()) return;
    // Stops logging, which also lets go of the file.
    m_installer.EnableLog(0, nullptr, 0);
    // A failure the installer wrote nothing about (it stayed busy, or never ran) has no log.
    if (outcome == RemovalOutcome::Failed && !m_files->IsEmptyFile(m_current)) {
        m_keptFolder = m_folder;
    } else {
        m_files->RemoveFile(m_current);
    }
    m_current.clear();
}
