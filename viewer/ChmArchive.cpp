#include "viewer/ChmArchive.h"

#include <chm_lib.h>

#include <QFile>
#include <QStringDecoder>
#include <limits>

namespace {

QByteArray archivePath(const QString& path) {
    QByteArray bytes = path.toUtf8();
    if (!bytes.startsWith('/')) {
        bytes.prepend('/');
    }
    return bytes;
}

int collectFile(chmFile*, chmUnitInfo* info, void* context) {
    auto* files = static_cast<QStringList*>(context);
    const QString path = QString::fromUtf8(info->path);
    if (path.size() > 1 && path[1] != u'#' && path[1] != u'$' && !path.endsWith(u'/')) {
        files->append(path);
    }
    return CHM_ENUMERATOR_CONTINUE;
}

}  // namespace

QString decodeHelpText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        return text;
    }
    QStringDecoder cp1252("windows-1252");
    if (cp1252.isValid()) {
        return cp1252(bytes);
    }
    return QString::fromLatin1(bytes);
}

std::unique_ptr<ChmArchive> ChmArchive::open(const QString& fileName) {
    // libchm opens anything and only fails later on a file that is not there,
    // so existence is checked first to give a clear answer.
    if (!QFile::exists(fileName)) {
        return nullptr;
    }
    chmFile* handle = chm_open(QFile::encodeName(fileName).constData());
    if (handle == nullptr) {
        return nullptr;
    }
    std::unique_ptr<ChmArchive> archive(new ChmArchive(handle));
    archive->readSystemFile();
    return archive;
}

ChmArchive::ChmArchive(chmFile* handle) : m_handle(handle) {}

ChmArchive::~ChmArchive() {
    chm_close(m_handle);
}

std::optional<QByteArray> ChmArchive::read(const QString& path) const {
    chmUnitInfo info{};
    const QByteArray name = archivePath(path);
    if (chm_resolve_object(m_handle, name.constData(), &info) != CHM_RESOLVE_SUCCESS) {
        return std::nullopt;
    }
    // Help files are small; anything claiming to be larger than a QByteArray
    // can hold is a damaged directory entry.
    if (info.length > static_cast<LONGUINT64>(std::numeric_limits<int>::max())) {
        return std::nullopt;
    }
    QByteArray data(static_cast<qsizetype>(info.length), '\0');
    const LONGINT64 got =
        chm_retrieve_object(m_handle, &info, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(info.length));
    if (got < 0 || static_cast<LONGUINT64>(got) != info.length) {
        return std::nullopt;
    }
    return data;
}

bool ChmArchive::contains(const QString& path) const {
    chmUnitInfo info{};
    const QByteArray name = archivePath(path);
    return chm_resolve_object(m_handle, name.constData(), &info) == CHM_RESOLVE_SUCCESS;
}

QStringList ChmArchive::files() const {
    QStringList files;
    chm_enumerate(m_handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectFile, &files);
    return files;
}

// #SYSTEM is a 32-bit version followed by records of a 16-bit code, a 16-bit
// length and that many bytes, all little-endian. The records we use hold a
// NUL-terminated string: 0 the contents file, 1 the index file, 2 the
// default topic, 3 the title.
void ChmArchive::readSystemFile() {
    const std::optional<QByteArray> system = read(QStringLiteral("/#SYSTEM"));
    if (!system) {
        return;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(system->constData());
    const qsizetype size = system->size();
    auto word = [bytes](qsizetype at) {
        return static_cast<qsizetype>(bytes[at] | bytes[at + 1] << 8);
    };
    qsizetype at = 4;
    while (at + 4 <= size) {
        const qsizetype code = word(at);
        const qsizetype length = word(at + 2);
        at += 4;
        if (length > size - at) {
            return;
        }
        QByteArray value(system->constData() + at, length);
        value.truncate(value.indexOf('\0') < 0 ? value.size() : value.indexOf('\0'));
        switch (code) {
            case 0:
                m_contentsFile = decodeHelpText(value);
                break;
            case 1:
                m_indexFile = decodeHelpText(value);
                break;
            case 2:
                m_defaultTopic = decodeHelpText(value);
                break;
            case 3:
                m_title = decodeHelpText(value);
                break;
            default:
                break;
        }
        at += length;
    }
}
