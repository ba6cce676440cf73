// SPDX-License-Identifier: MIT
#include "readers/forecast_reader.hpp"

#include <string>

#include "readers/location.hpp"

namespace brelund::readers {

using sources::Want;

Want ForecastReader::enter(Scope scope, Want want) noexcept {
  scopes_[depth_++] = scope;
  return want;
}

Want ForecastReader::start(const sources::Element& element) {
  if (depth_ == 0) [[unlikely]]
    return start_root(element);
  return start_in(scopes_[depth_ - 1], element);
}

Want ForecastReader::start_root(const sources::Element& element) {
  error_document_ = element.qualified_name().find("err") != std::string::npos;
  const bool read = !(error_document_ && limits_.skip_error_documents);
  if (narrator_ != nullptr) narrator_->root(element, !read);
  return enter(Scope::kRoot, read ? Want::kChildren : Want::kNothing);
}

Want ForecastReader::start_in(Scope parent, const sources::Element& element) {
  switch (parent) {
    case Scope::kRoot:
      if (element.named("location")) {
        // Only the last `location` is kept; earlier ones were never the host's.
        if (narrator_ != nullptr) [[unlikely]]
          narrator_->location(element, update_.location != nullptr);
        update_.location = records::make_record();
        return enter(Scope::kLocation, Want::kChildren);
      }
      if (element.named("forecast")) {
        if (narrator_ != nullptr) [[unlikely]]
          narrator_->forecast(element);
        update_.has_forecast = true;
        return enter(Scope::kForecast, Want::kChildren);
      }
      if (narrator_ != nullptr) [[unlikely]]
        narrator_->unread(element);
      break;
    case Scope::kLocation:
      read_location_child(update_.location.get(), element, narrator_);
      break;
    case Scope::kForecast:
      if (element.named("tabular")) return enter(Scope::kTabular, Want::kChildren);
      break;
    case Scope::kTabular:
      if (element.named("time")) {
        days_.begin_time(element);
        return enter(Scope::kTime, Want::kChildren);
      }
      break;
    case Scope::kTime:
      if (days_.read_value(element)) return enter(Scope::kText, Want::kText);
      break;
    case Scope::kText:
    case Scope::kOther:
      break;
  }
  return enter(Scope::kOther, Want::kNothing);
}

void ForecastReader::text(std::string_view text) { days_.text(text); }

void ForecastReader::end() {
  switch (scopes_[--depth_]) {
    case Scope::kRoot:
      days_.finish();
      break;
    case Scope::kTime:
      days_.end_time();
      break;
    case Scope::kText:
      days_.end_text();
      break;
    default:
      break;
  }
}

bool ForecastReader::full() const noexcept {
  const std::size_t held = update_.days_bytes + update_.diagnostics.bytes() + days_.pending_bytes();
  return held > limits_.built_bytes;
}

}  // namespace brelund::readers
