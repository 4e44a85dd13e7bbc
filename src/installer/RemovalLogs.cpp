#include "installer/RemovalLogs.h"

#include <utility>

#include "installer/InstallerBinding.h"
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

}  // namespace

RemovalLogs::RemovalLogs(WindowsInstaller& installer, LogFiles* files, std::string namedFolder)
    : m_installer(installer),
      m_files(files),
      m_namedFolder(std::move(namedFolder)),
      m_timestamp(files ? files->LocalTimestamp() : std::string()) {}

RemovalLogs::~RemovalLogs() {
    if (m_folder.held && m_folder.madeForPass && m_keptFolder.empty()) m_folder.held->Remove();
}

std::string RemovalLogs::FileName(const std::string& timestamp, const std::string& productCode,
                                  int attempt) {
    std::string name = timestamp.empty() ? std::string() : timestamp + "-";
    name += IsProductCodeForm(productCode) ? productCode : "driver";
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name + ".log";
}

void RemovalLogs::Begin(const std::string& productCode) {
    m_current.clear();
    if (!m_files || m_refusal != LogFolderRefusal::None) return;
    if (!m_folder.held) {
        m_folder = HoldLogFolder(*m_files, ChooseLogFolder(*m_files, m_namedFolder), m_timestamp,
                                 m_refusal);
        if (!m_folder.held) return;
    }

    // The folder made for this pass carries its start in its own name.
    const std::string timestamp = m_folder.madeForPass ? std::string() : m_timestamp;
    std::string path;
    std::unique_ptr<HeldFile> held;
    for (int attempt = 1; attempt <= kMaxAttempts && !held; ++attempt) {
        path = PathInFolder(m_folder.path, FileName(timestamp, productCode, attempt));
        held = m_files->CreateNewFile(path);
    }
    if (!held) return;

    const auto enable = [&](unsigned mode) {
        return m_installer.EnableLog(mode, path.c_str(), kLogAttributesAppend) == 0;
    };
    if (!enable(kLogModeVerboseAll | kLogModeOnlyOnError) && !enable(kLogModeVerboseAll)) {
        held->Remove();
        return;
    }
    m_current = path;
    m_heldCurrent = std::move(held);
}

std::string RemovalLogs::End(RemovalOutcome outcome) {
    if (m_current.empty()) return {};
    // Stops logging, which also lets go of the installer's own handle.
    m_installer.EnableLog(0, nullptr, 0);
    // A failure the installer wrote nothing about (it stayed busy, or never ran) has no log.
    const bool keep = outcome == RemovalOutcome::Failed && !m_heldCurrent->IsEmpty();
    std::string kept;
    if (keep) {
        m_keptFolder = m_folder.path;
        kept = m_current;
    } else {
        m_heldCurrent->Remove();
    }
    m_heldCurrent.reset();
    m_current.clear();
    return kept;
}
