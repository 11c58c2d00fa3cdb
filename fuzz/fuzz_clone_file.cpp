// Any bytes as a clone file. Reading must end in one of the three outcomes and fill nothing
// unless the file passed; a file that passed must go into a document and come out again as a
// clone file that reads back to the same bytes.
#include "document/document.h"
#include "files/clone_file.h"
#include "fuzz_support.h"

#include <QBuffer>

#include <cstdint>

using namespace hxv5;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzApplication();
    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    CloneFileContent content;
    const FileError error = parseCloneFile(buffer, content);
    if (error != FileError::None) {
        FUZZ_CHECK(error == FileError::DataError || error == FileError::FileOpenError);
        FUZZ_CHECK(content.settingsRecord.isEmpty() && content.enableBlocks[0].isEmpty() &&
                   content.slotNotes[0].isEmpty());
        return 0;
    }

    Document doc;
    applyCloneFile(content, doc);
    const QByteArray written = cloneFileBytes(doc);

    // What the program writes it must read again, and the second generation is the same file.
    QBuffer again;
    again.setData(written);
    FUZZ_CHECK(again.open(QIODevice::ReadOnly));
    CloneFileContent reread;
    FUZZ_CHECK(parseCloneFile(again, reread) == FileError::None);
    Document second;
    applyCloneFile(reread, second);
    FUZZ_CHECK(cloneFileBytes(second) == written);
    return 0;
}
