// SPDX-License-Identifier: MIT
#include "cli/messages.hpp"

#include <cstdio>

namespace inspector::say {
namespace {

constexpr const char* kProgram = "brelund-inspect";

void line(const std::string& text) { std::fprintf(stderr, "%s: %s\n", kProgram, text.c_str()); }

}  // namespace

// As GNU tools end theirs: where help is.
void usage(const std::string& why) {
  line(why);
  std::fprintf(stderr, "Try '%s --help' for more information.\n", kProgram);
}

void plugin_unusable(const std::string& plugin, const std::string& why) {
  line("cannot use plug-in " + plugin + ": " + why);
}

void plugin_not_initialised() { line("the plug-in failed to initialise"); }

void staged_moved(const std::string& file) {
  line("the plug-in moved the staged file " + file + ".new over " + file);
}

void error_document(const std::string& file) {
  line(file + " is an error document from the forecast service");
}

void forecast_unreadable(const std::string& file, const std::string& why) {
  line("cannot read forecast file " + file + ": " + why);
}

void nothing_stored(const std::string& file) {
  line("note: " + file + " has neither a location nor a forecast element");
}

void hourly_unreadable(const std::string& file, const std::string& why) {
  line("cannot read hourly document " + file + ": " + why);
}

// Given an hbhf element, the plug-in stores no detail record only when it
// refuses the whole document.
void hourly_refused(const std::string& file) {
  hourly_unreadable(file,
                    "the plug-in refused it (its DTD declares entities or attribute defaults)");
}

void picture_unwritable(const std::string& picture, const std::string& why) {
  line("cannot write picture " + picture + ": " + why);
}

// After a table or a picture: the check would have something to say of
// this file.
void findings(const std::string& counted, const std::string& file) {
  line(counted + "; brelund-inspect --check " + file +
       " says which, and brelund-inspect --explain CODE what each means");
}

void unknown_code(const std::string& code) {
  line("no --check code is named \"" + code + "\" (brelund-inspect(1) lists them)");
}

void standard_input_unsaved(const std::string& why) {
  line("cannot read the forecast on standard input: " + why);
}

}  // namespace inspector::say
