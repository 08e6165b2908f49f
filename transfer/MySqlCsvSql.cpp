#include "MySqlCsvSql.h"

#include "common/SjisText.h"

namespace transfer {

namespace {

// A dialog's own text as a string literal: apostrophes doubled, so it cannot end early.
VornString Quoted(const char* text)
{
    VornString literal("'");
    for (const char* p = text; *p;) {
        size_t n = sjis::CharLength(p);
        if (n == 1 && *p == '\'')
            literal.Append('\'');
        literal.Append(p, n);
        p += n;
    }
    literal.Append("'");
    return literal;
}

VornString Trimmed(const VornString& text)
{
    VornString copy(text);
    copy.Trim(" ");
    return copy;
}

}  // namespace

VornString MySqlPathLiteral(const char* path)
{
    VornString text(path ? path : "");
    size_t length = text.Length();
    if (length >= 2 && text.Text()[0] == '\'' && sjis::EndsWithChar(text.Text() + 1, '\'')) {
        VornString inner;
        inner.Assign(text.Text() + 1, length - 2);
        text = inner;
    }
    VornString literal("'");
    for (const char* p = text.Text(); *p;) {
        size_t n = sjis::CharLength(p);
        if (n == 1 && (*p == '\\' || *p == '\''))
            literal.Append(*p);
        literal.Append(p, n);
        p += n;
    }
    literal.Append("'");
    return literal;
}

VornString MySqlFormatClauses(const MySqlCsvFormat& format)
{
    VornString clauses(" fields terminated by ");
    VornString other = Trimmed(format.otherSeparator);
    if (format.separator == MySqlCsvFormat::Separator::Other && !other.IsEmpty())
        clauses.Append(Quoted(other));
    else
        clauses.Append(format.separator == MySqlCsvFormat::Separator::Tab ? "'\\t'" : "','");
    if (format.enclosing != MySqlCsvFormat::Enclosing::None) {
        if (format.optionally)
            clauses.Append(" optionally ");
        clauses.Append(" enclosed by ");
        if (format.enclosing == MySqlCsvFormat::Enclosing::Other && !format.otherEnclosing.IsEmpty())
            clauses.Append(Quoted(format.otherEnclosing));
        else
            clauses.Append("'\"'");
    }
    clauses.Append(" lines terminated by ");
    switch (format.lineEnd) {
    case MySqlCsvFormat::LineEnd::Other: clauses.Append(Quoted(format.otherLineEnd)); break;
    case MySqlCsvFormat::LineEnd::Cr: clauses.Append("'\\r'"); break;
    case MySqlCsvFormat::LineEnd::Lf: clauses.Append("'\\n'"); break;
    default: clauses.Append("'\\r\\n'"); break;
    }
    return clauses;
}

VornString MySqlLoadStatement(const char* path, bool replace, const char* table, const MySqlCsvFormat& format)
{
    VornString statement("load data infile ");
    statement.Append(MySqlPathLiteral(path));
    statement.Append(replace ? " replace " : " ignore ");
    statement.Append(" into table ");
    statement.Append(table);
    statement.Append(MySqlFormatClauses(format));
    return statement;
}

VornString MySqlOutfilePath(const char* folder, const char* table)
{
    VornString path(folder ? folder : "");
    // The server may name its folders with slashes: such a folder gets one of its own kind.
    const bool slashes = sjis::FindChar(path.Text(), '/') >= 0 && sjis::FindChar(path.Text(), '\\') < 0;
    if (!path.IsEmpty() && !sjis::EndsWithChar(path.Text(), '\\') && !sjis::EndsWithChar(path.Text(), '/'))
        path.Append(slashes ? "/" : "\\");
    path.Append(table);
    path.Append(".csv");
    return path;
}

VornString MySqlOutfileStatement(const char* table, const char* path, const MySqlCsvFormat& format)
{
    VornString statement("select * from ");
    statement.Append(table);
    statement.Append(" into outfile ");
    statement.Append(MySqlPathLiteral(path));
    statement.Append(MySqlFormatClauses(format));
    return statement;
}

}  // namespace transfer
