#pragma once

#include <string>

// A configuration store as the configuration server writes one: one driver's software module,
// a driver session that uses it and a logical name for the session. Each part can be replaced.
struct IviStoreParts {
    std::string modules =
        "<IviSoftwareModule id=\"p1\"><Name>kdmm</Name><ModulePath>kdmm_32.dll</ModulePath>"
        "<ModulePath64>kdmm_64.dll</ModulePath64><Prefix>kdmm</Prefix></IviSoftwareModule>";
    std::string sessions =
        "<IviDriverSession id=\"p2\"><Name>DmmBench</Name><IviSoftwareModuleRef idref=\"p1\"/>"
        "<SoftwareModuleName>kdmm</SoftwareModuleName></IviDriverSession>";
    std::string logicalNames =
        "<IviLogicalName id=\"p3\"><Name>DMM1</Name><IviDriverSession idref=\"p2\"/>"
        "</IviLogicalName>";
};

inline std::string IviStoreText(const IviStoreParts& parts = {}) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
           "<IviConfigStore id=\"p0\"><Name>IVI Configuration Server</Name>\r\n"
           "<SoftwareModules>" +
           parts.modules +
           "</SoftwareModules>\r\n"
           "<DriverSessions>" +
           parts.sessions +
           "</DriverSessions>\r\n"
           "<LogicalNames>" +
           parts.logicalNames +
           "</LogicalNames>\r\n"
           "</IviConfigStore>\r\n";
}
