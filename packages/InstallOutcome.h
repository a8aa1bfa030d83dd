// What the service's result alone does not say: whether each product is registered at its
// package's version once installed, and still is when later packages of the run are done.
#pragma once

#include "ProgressRows.h"

#include <optional>
#include <string>
#include <vector>

// A property of the package's Property table; none when it cannot be read.
std::optional<std::string> ReadPackageProperty(const std::string& packagePath,
                                               const char* property);

// The version the service holds for a product; none when it is not registered.
std::optional<std::string> RegisteredVersion(const std::string& productCode);

// Results that mean "done, but the machine must restart to finish".
bool NeedsRestart(unsigned result);

// The products a run has installed so far, row by row.
class InstallOutcomes {
  public:
    // Before a package is installed: why it must not be (its product was
    // installed by an earlier row of this run), or "".
    std::string Refusal(const std::string& productCode) const;

    // After the service installed the row's package: its facts, with why it failed when its
    // product is not registered at the package's version. A passing row is kept for Lost().
    RowFacts Confirm(int row, const ComponentEntry& entry, const std::string& productCode,
                     const std::string& packagePath);

    // After a package: earlier rows whose product is no longer registered at its version, the
    // reason naming the component just installed. Each row is reported once.
    std::vector<std::pair<int, RowFacts>> Lost(const ComponentEntry& installed);

  private:
    struct Product {
        int Row;
        std::string Code, Version, Section;
        RowFacts Facts;
    };
    std::vector<Product> products_;
};
