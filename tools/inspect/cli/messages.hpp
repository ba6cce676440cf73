// SPDX-License-Identifier: MIT
// Every line the inspector writes on standard error, each in one place:
// "brelund-inspect: " and what happened, and why where it can say; a usage
// error adds a line saying where help is.
#pragma once

#include <string>

namespace inspector::say {

void usage(const std::string& why);
void plugin_unusable(const std::string& plugin, const std::string& why);
void plugin_not_initialised();
void staged_moved(const std::string& file);
void error_document(const std::string& file);
void forecast_unreadable(const std::string& file, const std::string& why);
void nothing_stored(const std::string& file);
void hourly_unreadable(const std::string& file, const std::string& why);
void hourly_refused(const std::string& file);
void picture_unwritable(const std::string& picture, const std::string& why);
void findings(const std::string& counted, const std::string& file);
void unknown_code(const std::string& code);
void standard_input_unsaved(const std::string& why);

}  // namespace inspector::say
