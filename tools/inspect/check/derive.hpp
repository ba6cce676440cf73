// SPDX-License-Identifier: MIT
// From what the plug-in stored (taken only from the plug-in), what its
// stream showed of the document and the "Not found" lines it wrote, to the
// findings: each kind in one place.
#pragma once

#include <string>
#include <vector>

#include "check/facts.hpp"
#include "check/findings.hpp"
#include "host/not_found.hpp"
#include "model/stored.hpp"

namespace inspector::check {

// Every finding about a document the plug-in read (it returned a count),
// sorted by line.
std::vector<Finding> findings_of(const Stored& stored, const Facts& facts,
                                 const NotFound& not_found);

// The kinds, in three groups (derive_*.cpp).
void document_findings(const Stored& stored, const Facts& facts, std::vector<Finding>& out);
void day_findings(const Stored& stored, const Facts& facts, std::vector<Finding>& out);
void code_findings(const Facts& facts, const NotFound& not_found, std::vector<Finding>& out);

// Why a forecast has no day records, when a finding says: for the picture's
// note. Empty otherwise.
std::string why_no_days(const std::vector<Finding>& findings);

}  // namespace inspector::check
