#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ErrorOf.h"
#include "FakeInstaller.h"
#include "FakeRegistry.h"
#include "catalog/DriverCatalog.h"

// A catalog over an in-memory registry and installer, on the drivers key.
class CatalogTest : public testing::Test {
protected:
    void Add(const std::string& name, const std::string& data) {
        m_registry.AddText(kDriversKeyPath, name, data);
    }

    // "Name/Ade/ProductCode" of every record, in catalog order.
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < m_catalog.Count(); ++i) {
            rows.push_back(std::string(m_catalog.GetField(DriverField::Name, i)) + "/" +
                           m_catalog.GetField(DriverField::Ade, i) + "/" +
                           m_catalog.GetField(DriverField::ProductCode, i));
        }
        return rows;
    }

    FakeRegistry m_registry;
    FakeInstaller m_installer;
    DriverCatalog m_catalog{m_registry, m_installer, kDriversKeyPath, 20};
};
