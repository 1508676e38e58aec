// The clock and text commands. Texts are held as UTF-8 while the program runs.
#include <cstdio>
#include <cstring>

#include "clock.h"
#include "runtime.h"
#include "toolkit.h"

namespace rt {

DateTime current_time() { return Runtime::current().clock().local_time(); }

int hour_of(const DateTime& time) { return time.hour; }

int minute_of(const DateTime& time) { return time.minute; }

DateTime date_only(const DateTime& time) { return {time.year, time.month, time.day, 0, 0, 0}; }

std::string to_text(std::int64_t number) { return std::to_string(number); }

std::string to_text(const DateTime& t)
{
    std::string text = join_texts({to_text(t.year), "年", to_text(t.month), "月", to_text(t.day), "日"});
    // The time part stops at the last unit that is not zero: 9时5分, 9时, or nothing at midnight.
    if (t.second != 0)
        text += join_texts({to_text(t.hour), "时", to_text(t.minute), "分", to_text(t.second), "秒"});
    else if (t.minute != 0)
        text += join_texts({to_text(t.hour), "时", to_text(t.minute), "分"});
    else if (t.hour != 0)
        text += join_texts({to_text(t.hour), "时"});
    return text;
}

std::string join_texts(std::initializer_list<std::string_view> texts)
{
    std::size_t length = 0;
    for (std::string_view text : texts) length += text.size();
    std::string joined;
    joined.reserve(length);
    for (std::string_view text : texts) joined.append(text.data() ? text : std::string_view{});
    return joined;
}

std::size_t text_byte_count(const char* text) { return text ? std::strlen(text) : 0; }

}  // namespace rt
