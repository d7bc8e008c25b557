#pragma once
// The check's report as text: in full, a heading for the library, each slot
// folder and each group with findings, the findings indented below their
// heading, and the summary line; quiet, only the findings and the summary.

#include <ostream>
#include <string>

#include "check/findings.h"

namespace modsetup::check {

struct ReportHeading {
    std::string configBase;
    std::string selections;
    bool selectionsPresent = false;
};

void writeReport(std::ostream& out, const ReportHeading& heading, const CheckResult& result, bool quiet);

}  // namespace modsetup::check
