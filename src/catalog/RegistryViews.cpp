#include "catalog/RegistryViews.h"

namespace {
constexpr std::uint16_t kMachineAmd64 = 0x8664;  // IMAGE_FILE_MACHINE_AMD64
constexpr std::uint16_t kMachineArm64 = 0xAA64;  // IMAGE_FILE_MACHINE_ARM64
constexpr std::uint16_t kMachineIa64 = 0x0200;   // IMAGE_FILE_MACHINE_IA64
}  // namespace

bool HasSeparate64BitView(const ProcessMachine& machine) {
    if (machine.is64BitProcess) return true;
    if (machine.knowsNativeMachine) {
        return machine.nativeMachine == kMachineAmd64 || machine.nativeMachine == kMachineArm64 ||
               machine.nativeMachine == kMachineIa64;
    }
    return machine.isWow64;
}
