// A compiler launcher that gives clang what g++'s -fexec-charset does. clang accepts only
// UTF-8 as execution character set, but the fuzz build compiles the product with clang
// (libFuzzer) and its literals must be the same code page 932 bytes as in the g++ builds.
//   exec-charset-launcher COMPILER ARGS... -fexec-charset=CP932 ... -o OBJECT -c SOURCE
// The source is preprocessed with every header inlined, the non-ASCII characters of every
// ordinary string and character literal become escapes of their bytes in the charset
// (glibc's iconv, as g++ uses), and the rewritten translation unit is compiled. Wide,
// UTF-8/16/32 and unchanged raw literals stay as they are; a raw literal holding non-ASCII
// text becomes an ordinary literal. A character the charset cannot represent stops the build.
// Without -fexec-charset the compiler runs unchanged.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Args = std::vector<std::string>;

[[noreturn]] void Die(const std::string& message)
{
    std::fprintf(stderr, "exec-charset-launcher: %s\n", message.c_str());
    std::exit(1);
}

int Run(const Args& args)
{
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid < 0)
        Die("fork failed");
    if (pid == 0) {
        execvp(argv[0], argv.data());
        std::fprintf(stderr, "exec-charset-launcher: cannot run %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR)
            Die("waitpid failed");
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsIdentifierChar(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80;
}

class Rewriter {
public:
    explicit Rewriter(const std::string& charset) : charset_(charset)
    {
        convert_ = iconv_open(charset.c_str(), "UTF-8");
        if (convert_ == reinterpret_cast<iconv_t>(-1))
            Die("iconv knows no charset " + charset);
        // ASCII is copied untouched, which is only right for charsets that keep it.
        for (int c = 1; c < 0x80; ++c) {
            std::string in(1, static_cast<char>(c));
            if (Convert(in) != in)
                Die("charset " + charset + " changes ASCII characters");
        }
    }
    ~Rewriter() { iconv_close(convert_); }

    std::string Rewrite(const std::string& text)
    {
        in_ = &text;
        out_.clear();
        out_.reserve(text.size() + text.size() / 8);
        pos_ = 0;
        line_ = 1;
        bool lineStart = true;
        while (pos_ < text.size()) {
            char c = text[pos_];
            if (c == '\n') {
                out_ += c;
                ++pos_;
                ++line_;
                lineStart = true;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
                out_ += c;
                ++pos_;
                continue;
            }
            if (lineStart && c == '#') {
                CopyDirective();
                continue;
            }
            lineStart = false;
            if (c == '/' && At(1) == '/') {
                size_t end = text.find('\n', pos_);
                CopyTo(end == std::string::npos ? text.size() : end);
            } else if (c == '/' && At(1) == '*') {
                size_t end = text.find("*/", pos_ + 2);
                CopyTo(end == std::string::npos ? text.size() : end + 2);
            } else if ((c >= '0' && c <= '9') || (c == '.' && At(1) >= '0' && At(1) <= '9')) {
                CopyNumber();
            } else if (IsIdentifierChar(static_cast<unsigned char>(c))) {
                Identifier();
            } else if (c == '"' || c == '\'') {
                OrdinaryLiteral();
            } else {
                out_ += c;
                ++pos_;
            }
        }
        return out_;
    }

private:
    char At(size_t offset) const { return pos_ + offset < in_->size() ? (*in_)[pos_ + offset] : '\0'; }

    void CopyTo(size_t end)
    {
        for (; pos_ < end; ++pos_) {
            if ((*in_)[pos_] == '\n')
                ++line_;
            out_ += (*in_)[pos_];
        }
    }

    // Line markers ("# 12 "file.h" 2") keep the positions of messages right.
    void CopyDirective()
    {
        size_t end = in_->find('\n', pos_);
        if (end == std::string::npos)
            end = in_->size();
        std::string directive = in_->substr(pos_, end - pos_);
        unsigned long number = 0;
        char name[4096];
        if (std::sscanf(directive.c_str(), "# %lu \"%4095[^\"]\"", &number, name) == 2 ||
            std::sscanf(directive.c_str(), "#line %lu \"%4095[^\"]\"", &number, name) == 2) {
            file_ = name;
            line_ = number - 1;  // the marker's own line end counts
        }
        out_ += directive;
        pos_ = end;
    }

    // A pp-number may hold digit separators ('), which must not start a character literal.
    void CopyNumber()
    {
        out_ += (*in_)[pos_++];
        while (pos_ < in_->size()) {
            char c = (*in_)[pos_];
            char prev = (*in_)[pos_ - 1];
            bool sign = (c == '+' || c == '-') && (prev == 'e' || prev == 'E' || prev == 'p' || prev == 'P');
            bool separator = c == '\'' && IsIdentifierChar(static_cast<unsigned char>(At(1))) &&
                             static_cast<unsigned char>(At(1)) < 0x80;
            if (!(IsIdentifierChar(static_cast<unsigned char>(c)) || c == '.' || sign || separator))
                break;
            out_ += c;
            ++pos_;
        }
    }

    void Identifier()
    {
        size_t start = pos_;
        while (pos_ < in_->size() && IsIdentifierChar(static_cast<unsigned char>((*in_)[pos_])))
            ++pos_;
        std::string word = in_->substr(start, pos_ - start);
        out_ += word;
        char next = At(0);
        if (next == '"' && (word == "R" || word == "LR" || word == "uR" || word == "UR" || word == "u8R")) {
            RawLiteral(word == "R");
        } else if ((next == '"' || next == '\'') && (word == "L" || word == "u" || word == "U" || word == "u8")) {
            CopyQuoted();
        }
    }

    // A literal left alone: up to its closing quote, escapes skipped.
    void CopyQuoted()
    {
        char quote = (*in_)[pos_];
        out_ += quote;
        ++pos_;
        while (pos_ < in_->size() && (*in_)[pos_] != '\n') {
            char c = (*in_)[pos_++];
            out_ += c;
            if (c == '\\' && pos_ < in_->size() && (*in_)[pos_] != '\n')
                out_ += (*in_)[pos_++];
            else if (c == quote)
                return;
        }
    }

    std::string Where() const { return file_ + ":" + std::to_string(line_); }

    std::string Convert(const std::string& utf8)
    {
        std::string result;
        char* in = const_cast<char*>(utf8.data());
        size_t inLeft = utf8.size();
        char buffer[16];
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        iconv(convert_, nullptr, nullptr, nullptr, nullptr);
        if (iconv(convert_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) ||
            iconv(convert_, nullptr, nullptr, &out, &outLeft) == static_cast<size_t>(-1))
            return std::string();
        return std::string(buffer, static_cast<size_t>(out - buffer));
    }

    // The UTF-8 character at text[at], as its bytes; fails on malformed UTF-8.
    std::string Utf8Character(const std::string& text, size_t at) const
    {
        unsigned char lead = static_cast<unsigned char>(text[at]);
        size_t length = lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
        if (length == 0 || at + length > text.size())
            Die(Where() + ": malformed UTF-8 in a literal");
        for (size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
                Die(Where() + ": malformed UTF-8 in a literal");
        return text.substr(at, length);
    }

    static unsigned long CodePoint(const std::string& utf8)
    {
        static const unsigned char kLeadMask[] = {0, 0, 0x1F, 0x0F, 0x07};
        unsigned long value = static_cast<unsigned char>(utf8[0]) & kLeadMask[utf8.size()];
        for (size_t i = 1; i < utf8.size(); ++i)
            value = (value << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
        return value;
    }

    // Appends the escapes of the non-ASCII character at text[at] and returns its length.
    // A hex escape would swallow a following hex digit: strings are split ("\x95\x5c" "A"),
    // character literals take octal escapes, which end after three digits.
    size_t EscapeCharacter(const std::string& text, size_t at, bool characterLiteral, std::string& out)
    {
        std::string utf8 = Utf8Character(text, at);
        std::string bytes = Convert(utf8);
        if (bytes.empty()) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04lX", CodePoint(utf8));
            Die(Where() + ": " + code + " has no " + charset_ + " form");
        }
        for (unsigned char b : bytes) {
            char escape[8];
            std::snprintf(escape, sizeof escape, characterLiteral ? "\\%03o" : "\\x%02x", b);
            out += escape;
        }
        if (!characterLiteral && at + utf8.size() < text.size() && IsHexDigit(text[at + utf8.size()]))
            out += "\" \"";
        return utf8.size();
    }

    void OrdinaryLiteral()
    {
        const std::string& text = *in_;
        char quote = text[pos_];
        out_ += quote;
        ++pos_;
        while (pos_ < text.size() && text[pos_] != '\n') {
            char c = text[pos_];
            if (static_cast<unsigned char>(c) >= 0x80) {
                pos_ += EscapeCharacter(text, pos_, quote == '\'', out_);
                continue;
            }
            out_ += c;
            ++pos_;
            if (c == quote)
                return;
            if (c == '\\' && pos_ < text.size() && static_cast<unsigned char>(text[pos_]) >= 0x80)
                Die(Where() + ": a backslash before a non-ASCII character");
            if (c == '\\' && pos_ < text.size() && text[pos_] != '\n')
                out_ += text[pos_++];
        }
    }

    // R"delim(...)delim": left alone when ASCII or not ordinary, else written as an ordinary
    // literal followed by the line ends it spanned, so later lines keep their numbers.
    void RawLiteral(bool ordinary)
    {
        const std::string& text = *in_;
        size_t open = text.find('(', pos_);
        if (open == std::string::npos)
            Die(Where() + ": raw literal without '('");
        std::string close = ")" + text.substr(pos_ + 1, open - pos_ - 1) + "\"";
        size_t end = text.find(close, open + 1);
        if (end == std::string::npos)
            Die(Where() + ": unterminated raw literal");
        std::string body = text.substr(open + 1, end - open - 1);
        size_t after = end + close.size();
        bool ascii = true;
        for (unsigned char c : body)
            ascii = ascii && c < 0x80;
        if (!ordinary || ascii) {
            CopyTo(after);
            return;
        }
        out_.pop_back();  // the prefix R
        std::string literal = "\"";
        int lines = 0;
        for (size_t i = 0; i < body.size();) {
            unsigned char c = static_cast<unsigned char>(body[i]);
            if (c >= 0x80) {
                i += EscapeCharacter(body, i, false, literal);
                continue;
            }
            if (c == '\\' || c == '"') {
                literal += '\\';
                literal += static_cast<char>(c);
            } else if (c == '\n') {
                literal += "\\n";
                ++lines;
            } else if (c < 0x20 || c == 0x7F) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\%03o", c);
                literal += escape;
            } else {
                literal += static_cast<char>(c);
            }
            ++i;
        }
        out_ += literal + "\"" + std::string(static_cast<size_t>(lines), '\n');
        line_ += static_cast<unsigned long>(lines);
        pos_ = after;
    }

    std::string charset_;
    iconv_t convert_;
    const std::string* in_ = nullptr;
    std::string out_;
    size_t pos_ = 0;
    unsigned long line_ = 1;
    std::string file_ = "<source>";
};

bool ReadFile(const std::string& path, std::string& text)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char piece[65536];
    size_t n;
    while ((n = std::fread(piece, 1, sizeof piece, file)) > 0)
        text.append(piece, n);
    return std::fclose(file) == 0;
}

bool WriteFile(const std::string& path, const std::string& text)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

bool StartsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        Die("usage: exec-charset-launcher COMPILER ARGS...");
    Args args(argv + 1, argv + argc);
    std::string charset, object, source;
    for (size_t i = 1; i < args.size(); ++i) {
        if (StartsWith(args[i], "-fexec-charset="))
            charset = args[i].substr(std::strlen("-fexec-charset="));
        else if (args[i] == "-o" && i + 1 < args.size())
            object = args[++i];
        else if (args[i] == "-c" && i + 1 < args.size() && args[i + 1][0] != '-')
            source = args[++i];
    }
    if (charset.empty()) {
        execvp(args[0].c_str(), argv + 1);
        Die("cannot run " + args[0] + ": " + std::strerror(errno));
    }
    if (object.empty() || source.empty())
        Die("-fexec-charset needs a command of the form ... -o OBJECT -c SOURCE");

    // Preprocessing keeps the dependency options, so the build still learns the headers.
    const std::string preprocessed = object + ".ii";
    const std::string rewritten = object + ".exec.ii";
    Args preprocess = {args[0]};
    Args compile = {args[0]};
    // Options that only matter before or while preprocessing, with a separate value or not.
    const char* const kWithValue[] = {"-MT", "-MF", "-MQ", "-I", "-D", "-U", "-include", "-isystem", "-iquote", "-idirafter"};
    const char* const kJoined[] = {"-MT", "-MF", "-MQ", "-I", "-D", "-U", "-isystem", "-iquote", "-idirafter", "-finput-charset="};
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (StartsWith(arg, "-fexec-charset="))
            continue;
        if (arg == "-o" || (arg == "-c" && i + 1 < args.size() && args[i + 1] == source)) {
            ++i;
            continue;
        }
        if (arg == "-c")
            continue;
        preprocess.push_back(arg);
        bool preprocessorOnly = arg == "-MD" || arg == "-MMD" || arg == "-MP";
        bool separateValue = false;
        for (const char* option : kWithValue)
            separateValue = separateValue || arg == option;
        for (const char* option : kJoined)
            preprocessorOnly = preprocessorOnly || StartsWith(arg, option);
        if (separateValue && i + 1 < args.size())
            preprocess.push_back(args[++i]);
        else if (!preprocessorOnly)
            compile.push_back(arg);
    }
    preprocess.insert(preprocess.end(), {"-E", source, "-o", preprocessed});
    const bool isC = source.size() > 2 && source.compare(source.size() - 2, 2, ".c") == 0;
    compile.insert(compile.end(), {"-x", isC ? "cpp-output" : "c++-cpp-output", "-c", rewritten, "-o", object});

    if (Run(preprocess) != 0)
        return 1;
    std::string text;
    if (!ReadFile(preprocessed, text))
        Die("cannot read " + preprocessed);
    Rewriter rewriter(charset);
    if (!WriteFile(rewritten, rewriter.Rewrite(text)))
        Die("cannot write " + rewritten);
    int status = Run(compile);
    if (status == 0) {
        std::remove(preprocessed.c_str());
        std::remove(rewritten.c_str());
    }
    return status;
}
