#pragma once

#include <string>

// One registered driver: its product code and the four fields of its registry value.
class DriverRecord {
public:
    DriverRecord(const char* productCode, const char* name, const char* cls, const char* ade,
                 const char* manufacturer);
    DriverRecord(const DriverRecord& other);
    DriverRecord& operator=(const DriverRecord& other);
    // Moves hand the texts over, so that sorting and growing the catalog copy none.
    DriverRecord(DriverRecord&& other) noexcept;
    DriverRecord& operator=(DriverRecord&& other) noexcept;
    virtual ~DriverRecord();

    // Never null; an empty field reads as "".
    const char* GetProductCode() const;
    const char* GetName() const;
    const char* GetClass() const;
    const char* GetAde() const;
    const char* GetManufacturer() const;

    // Name ascending, then Ade descending, both as unsigned byte strings.
    bool operator<(const DriverRecord& other) const;

private:
    std::string m_productCode;
    std::string m_name;
    std::string m_class;
    std::string m_ade;
    std::string m_manufacturer;
};
