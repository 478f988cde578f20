#pragma once

#include "generate/BudgetReport.h"

#include <string>

namespace generate {

// The budget report as plain text (for a terminal), as JSON (for scripts; the schema is
// docs/report-schema.md) and as one self-contained HTML page with an inline SVG chart.
class BudgetReportWriter
{
public:
    static std::string Text(const BudgetReport& report);
    static std::string Json(const BudgetReport& report);
    static std::string Html(const BudgetReport& report);
};

} // namespace generate
