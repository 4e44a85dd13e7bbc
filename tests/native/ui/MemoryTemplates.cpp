#include "MemoryUiDriver.h"
#include "res/resource.h"

namespace {
constexpr int kNoId = -1;
using Kind = MemoryControlKind;
}  // namespace

MemoryTemplate ManagerTemplate() {
    MemoryTemplate manager;
    // Template order, which is also the tab order.
    manager.controls = {
        {IDC_REMOVE, Kind::Button, false, true},
        {kIdOk, Kind::Button, false, false, true},
        {kNoId, Kind::Static},
        {IDC_DRIVER_LIST, Kind::ListBox, true},
        {IDC_CLASS_FILTER, Kind::ComboBox, true},
        {IDC_MANUFACTURER_FILTER, Kind::ComboBox, true},
        {kNoId, Kind::Static},
        {IDC_ADE_FILTER, Kind::ComboBox, true},
        {kNoId, Kind::Static},
        {kNoId, Kind::Button},
        {IDC_REFRESH, Kind::Button},
        {kNoId, Kind::Button},
    };
    // One empty string each for the Class and Manufacturer filters (CB_ADDSTRING records).
    manager.initialControlData = {
        0xEA, 0x03, 0x03, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00,  // 1002
        0xEB, 0x03, 0x03, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00,  // 1003
        0x00, 0x00,
    };
    return manager;
}

MemoryTemplate ProgressTemplate() {
    MemoryTemplate progress;
    progress.controls = {
        {IDC_PROGRESS, Kind::ProgressBar},
        {kNoId, Kind::Static},
        {kNoId, Kind::Static},
        {IDC_PROGRESS_DRIVER, Kind::Static},
        {IDC_PROGRESS_ACTION, Kind::Static},
        {kIdCancel, Kind::Button},
    };
    return progress;
}
