// A second pass over text that already parsed, as SAX events: the path to the open object is
// tracked so the message names the entity like every other message of the compiler. The
// parser's own callback hook would do, but it costs time quadratic in an array's length.

#include "tools/levelc/duplicate_fields.h"

#include <nlohmann/json.hpp>
#include <set>
#include <vector>

namespace {

using nlohmann::json;

class DuplicateFieldCheck : public nlohmann::json_sax<json> {
 public:
  const std::optional<std::string>& error() const { return error_; }

  bool null() override { return valueDone(); }
  bool boolean(bool) override { return valueDone(); }
  bool number_integer(number_integer_t) override { return valueDone(); }
  bool number_unsigned(number_unsigned_t) override { return valueDone(); }
  bool number_float(number_float_t, const string_t&) override { return valueDone(); }
  bool string(string_t&) override { return valueDone(); }
  bool binary(binary_t&) override { return valueDone(); }
  bool start_object(std::size_t) override { return open(false); }
  bool start_array(std::size_t) override { return open(true); }
  bool key(string_t& key) override { return takeKey(key); }
  bool end_object() override { return close(); }
  bool end_array() override { return close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  struct Frame {
    bool array = false;
    size_t index = 0;  // of the element being read, in an array
    std::string key;   // of the member being read, in an object
    std::set<std::string> keys;
  };

  bool open(bool array) {
    frames_.emplace_back();
    frames_.back().array = array;
    return true;
  }

  bool close() {
    frames_.pop_back();
    return valueDone();
  }

  // False stops the parse at the first repeat.
  bool takeKey(const std::string& key) {
    Frame& frame = frames_.back();
    if (!frame.keys.insert(key).second) {
      error_ = path() + ": field \"" + key + "\" appears twice";
      return false;
    }
    frame.key = key;
    return true;
  }

  bool valueDone() {
    if (!frames_.empty() && frames_.back().array) ++frames_.back().index;
    return true;
  }

  // Where the innermost open object is.
  std::string path() const {
    std::string text;
    for (size_t i = 0; i + 1 < frames_.size(); ++i) {
      const Frame& frame = frames_[i];
      if (frame.array) {
        text += "[" + std::to_string(frame.index) + "]";
      } else {
        text += (text.empty() ? "" : ".") + frame.key;
      }
    }
    return text.empty() ? "level" : text;
  }

  std::vector<Frame> frames_;
  std::optional<std::string> error_;
};

}  // namespace

std::optional<std::string> duplicateFieldError(std::string_view jsonText) {
  DuplicateFieldCheck check;
  json::sax_parse(jsonText.begin(), jsonText.end(), &check, json::input_format_t::json, true, true);
  return check.error();
}
