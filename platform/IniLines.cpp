#include "IniLines.h"

namespace {
// The name of a section header line, nullopt for other lines.
std::optional<QString> HeaderName(const QString& line) {
    const QString text = line.trimmed();
    if (!text.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    return text.mid(1, close < 0 ? -1 : close - 1).trimmed();
}

// The key of a "key=value" line, nullopt for comments and other lines.
std::optional<QString> KeyName(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || line.trimmed().startsWith(QLatin1Char(';')))
        return std::nullopt;
    return line.left(equals).trimmed();
}

bool Same(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where the value of a line holding the key begins; nullopt when the line
// does not hold it. A key may hold "=" itself ("m_hDIB==NULL"): the line then
// begins with the whole key and its own "=".
std::optional<qsizetype> ValueStart(const QString& line, const QString& key) {
    const auto name = KeyName(line);
    if (!name)
        return std::nullopt;
    if (Same(*name, key))
        return line.indexOf(QLatin1Char('=')) + 1;
    if (!key.contains(QLatin1Char('=')))
        return std::nullopt;
    const QString text = line.trimmed();
    if (text.size() <= key.size() || !Same(text.left(key.size()), key) ||
        text[key.size()] != QLatin1Char('='))
        return std::nullopt;
    return line.indexOf(text) + key.size() + 1;
}
} // namespace

IniLines::IniLines(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    if (text.contains(QLatin1Char('\n')) && !text.contains(QLatin1String("\r\n")))
        m_eol = QStringLiteral("\n");
    if (text.isEmpty())
        return;
    m_lines = text.split(QLatin1Char('\n'));
    for (QString& line : m_lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (text.endsWith(QLatin1Char('\n')))
        m_lines.removeLast();
}

std::optional<IniLines::Section> IniLines::FindSection(const QString& name) const {
    const QString wanted = name.trimmed();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto header = HeaderName(m_lines[i]);
        if (!header || !Same(*header, wanted))
            continue;
        qsizetype end = i + 1;
        while (end < m_lines.size() && !HeaderName(m_lines[end]))
            ++end;
        return Section{i, end};
    }
    return std::nullopt;
}

std::optional<qsizetype> IniLines::FindKey(const Section& section, const QString& key) const {
    const QString wanted = key.trimmed();
    for (qsizetype i = section.header + 1; i < section.end; ++i) {
        if (ValueStart(m_lines[i], wanted))
            return i;
    }
    return std::nullopt;
}

std::optional<QString> IniLines::Value(const QString& section, const QString& key) const {
    const auto found = FindSection(section);
    const auto line = found ? FindKey(*found, key) : std::nullopt;
    if (!line)
        return std::nullopt;
    const QString& text = m_lines[*line];
    QString value = text.mid(*ValueStart(text, key.trimmed())).trimmed();
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''));
    return quoted ? value.mid(1, value.size() - 2) : value;
}

void IniLines::Set(const QString& section, const QString& key, const QString& value) {
    const auto found = FindSection(section);
    if (!found) {
        m_lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
        m_lines.append(key.trimmed() + QLatin1Char('=') + value);
        return;
    }
    if (const auto line = FindKey(*found, key)) {
        // The key keeps the spelling it has in the file.
        const QString& text = m_lines[*line];
        const auto name = KeyName(text);
        const QString kept = Same(*name, key.trimmed())
                                 ? *name + QLatin1Char('=')
                                 : text.left(*ValueStart(text, key.trimmed())).trimmed();
        m_lines[*line] = kept + value;
        return;
    }
    qsizetype at = found->end;
    while (at > found->header + 1 && m_lines[at - 1].trimmed().isEmpty())
        --at;
    m_lines.insert(at, key.trimmed() + QLatin1Char('=') + value);
}

bool IniLines::RemoveKey(const QString& section, const QString& key) {
    const auto found = FindSection(section);
    const auto line = found ? FindKey(*found, key) : std::nullopt;
    if (!line)
        return false;
    m_lines.removeAt(*line);
    return true;
}

bool IniLines::RemoveSection(const QString& section) {
    const auto found = FindSection(section);
    if (!found)
        return false;
    m_lines.remove(found->header, found->end - found->header);
    return true;
}

QByteArray IniLines::Bytes() const {
    if (m_lines.isEmpty())
        return {};
    return (m_lines.join(m_eol) + m_eol).toUtf8();
}
