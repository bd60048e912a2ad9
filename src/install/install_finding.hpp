#pragma once
// Install findings: findings that weigh on the answer to "will my colours apply?".

#include "findings/finding.hpp"

namespace checker {

// A finding of `rule` weighing `weight`: one that blocks is an error, one that leaves the
// answer open a warning; one that weighs nothing keeps the rule's own severity, but for
// a rule that usually blocks, which is then a warning (another copy is loaded, say).
Finding install_finding(Rule rule, Weight weight, Args args, std::string file = {});

// The same finding weighing `weight` now.
void weigh(Finding& finding, Weight weight);

} // namespace checker
