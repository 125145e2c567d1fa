#include "path_key.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace kestrel::thumbdb {

namespace {

// A fixed locale, so the keys do not depend on the user's settings.
locale_t CaseLocale()
{
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    return locale;
}

char16_t Lower(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return char16_t(c - u'A' + u'a');
    if (c < 0x80 || (c >= 0xd800 && c <= 0xdfff))
        return c;
    const locale_t locale = CaseLocale();
    if (locale == locale_t(nullptr))
        return c;
    const wint_t lower = towlower_l(wint_t(c), locale);
    return lower <= 0xffff ? char16_t(lower) : c;
}

} // namespace

std::u16string PathKey(std::u16string path)
{
    for (char16_t& c : path)
        c = Lower(c);
    return path;
}

} // namespace kestrel::thumbdb
