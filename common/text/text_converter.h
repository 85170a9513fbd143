#pragma once
// The text service's own: a conversion between two encodings through iconv,
// for the GBK text boundary (gbk.cpp, qtext.cpp).
#include <cerrno>
#include <iconv.h>
#include <string>

class TextConverter {
public:
    TextConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~TextConverter() { if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_); }
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    // Converts as far as the input is valid; returns the bytes consumed.
    size_t run(const char* in, size_t inLen, std::string& out)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t left = inLen;
        char buffer[4096];
        while (left > 0) {
            char* dst = buffer;
            size_t room = sizeof buffer;
            size_t rc = iconv(cd_, &src, &left, &dst, &room);
            out.append(buffer, static_cast<size_t>(dst - buffer));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG)
                break;
        }
        return inLen - left;
    }

private:
    iconv_t cd_;
};
