#include "catalog/DriverRecord.h"

namespace {

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

DriverRecord::DriverRecord(const char* productCode, const char* name, const char* cls,
                           const char* ade, const char* manufacturer)
    : m_productCode(TextOrEmpty(productCode)),
      m_name(TextOrEmpty(name)),
      m_class(TextOrEmpty(cls)),
      m_ade(TextOrEmpty(ade)),
      m_manufacturer(TextOrEmpty(manufacturer)) {}

DriverRecord::DriverRecord(const DriverRecord& other) = default;

DriverRecord& DriverRecord::operator=(const DriverRecord& other) = default;

DriverRecord::DriverRecord(DriverRecord&& other) noexcept = default;

DriverRecord& DriverRecord::operator=(DriverRecord&& other) noexcept = default;

DriverRecord::~DriverRecord() = default;

const char* DriverRecord::GetProductCode() const { return m_productCode.c_str(); }

const char* DriverRecord::GetName() const { return m_name.c_str(); }

const char* DriverRecord::GetClass() const { return m_class.c_str(); }

const char* DriverRecord::GetAde() const { return m_ade.c_str(); }

const char* DriverRecord::GetManufacturer() const { return m_manufacturer.c_str(); }

// std::string compares through char_traits<char>, which orders bytes as unsigned char whatever
// the signedness of char, and a proper prefix first: the byte order the catalog promises.
bool DriverRecord::operator<(const DriverRecord& other) const {
    int names = m_name.compare(other.m_name);
    if (names != 0) return names < 0;
    return m_ade.compare(other.m_ade) > 0;
}
