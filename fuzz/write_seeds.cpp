// Writes the seed corpus of every fuzz target from the same hand-made blocks,
// files and writers the tests use: write_seeds <folder> creates <folder>/<target>/.
#include "device/pab_checksum.h"
#include "device/pab_data.h"
#include "formats/backup_bytes.h"
#include "formats/gad_file.h"
#include "formats/pab_backup_container.h"
#include "formats/pab_file.h"
#include "support/block_bytes.h"
#include "support/records.h"

#include <QDateTime>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

using test::Bytes;
using test::operator+;
using test::be16;
using test::section;

Bytes capacityResponse(uint16_t fax, uint16_t group) {
    return test::longHeader(2, 1) + Bytes{0, 3, 0, 0, 0, 0} + be16(fax) + Bytes{0, 0} + Bytes{0, 4, 0, 0, 0, 0} +
           be16(group) + Bytes{0, 0};
}

Bytes readResponse() {
    return test::longHeader(2, 1) + section(1, 3, 1, 2) + test::faxRecord(1, "Ann", "0123") +
           test::faxRecord(2, "J\xc3\xbcrgen", "+49 30 1") + section(1, 4, 1, 1) + test::groupRecord(1, "Team", {2, 1});
}

Bytes updateRequest() {
    CAbifData data;
    const CAbifFaxData faxes[] = {test::fax(1, u"Ann"), test::fax(3, u"Bob", u"555")};
    const CAbifFaxGroupData group = test::faxGroup(2, u"Team", {1, 3});
    data.array<CAbifFaxData>().append(faxes);
    data.array<CAbifFaxGroupData>().append({&group, 1});
    abif::CPabData block;
    block.makeUpdateRequest({99, 6}, data, u"1234");
    return block.bytes();
}

Bytes shortHeaderBlock() {
    return test::shortHeader(2) + section(1, 3, 0, 1) + test::faxRecord(4, "Four", "4", 88) + section(1, 4, 0, 1) +
           test::groupRecord(2, "G", {4});
}

Bytes backupContainer() {
    CAbifData data;
    const CAbifFaxData faxes[] = {test::fax(1, u"Ann"), test::fax(3, u"Bob", u"555")};
    const CAbifFaxGroupData group = test::faxGroup(2, u"Team", {1, 3, 7});
    data.array<CAbifFaxData>().append(faxes);
    data.array<CAbifFaxGroupData>().append({&group, 1});
    Bytes container;
    abif::backup::makeContainer(data, container);
    return container;
}

Bytes backupImage() {
    CAbifData data;
    const CAbifFaxData faxes[] = {test::fax(1, u"Ann"), test::fax(3, u"Bob", u"555")};
    const CAbifFaxGroupData group = test::faxGroup(2, u"Team", {1, 3});
    data.array<CAbifFaxData>().append(faxes);
    data.array<CAbifFaxGroupData>().append({&group, 1});
    Bytes image;
    abif::CPabFile::makeImage(data, QDateTime(QDate(2026, 12, 9), QTime(23, 15)), image);
    return image;
}

// A block as the machine stand-in receives it, behind the byte that sets the
// machine up (see fuzz_machine_request.cpp).
Bytes machineRequest(uint8_t setup, Bytes block) {
    if (block.size() > 24) abif::pab::addBlockChecksum(block.data(), block.size());
    return Bytes{setup} + block;
}

Bytes capacityQuery() { return test::longHeader(2, 1) + section(0, 3, 0, 0) + section(0, 4, 0, 0); }

Bytes readQuery() { return test::longHeader(2, 1) + section(1, 3, 1, 99) + section(1, 4, 1, 6); }

Bytes clearingUpdate() {
    return test::longHeader(3, 0) + test::deleteList(3, 1, 12) + test::deleteList(4, 1, 2) +
           section(1, 4, 0, 1) + test::groupRecord(3, "New", {4, 5});
}

Bytes pcFaxBook() {
    CAbifData data;
    CAbifMyFaxData members[] = {test::myFax(1, u"Ann"), test::myFax(2, u"J\u00FCrgen"), test::myFax(7, u"")};
    abif::writeText(members[0].faxNumber, sizeof members[0].faxNumber, u"0123");
    abif::writeText(members[0].company, sizeof members[0].company, u"Orvane");
    abif::writeText(members[1].note, sizeof members[1].note, u"Mornings only");
    abif::writeText(members[1].reservedText, sizeof members[1].reservedText, u"x");
    members[1].commMode = 2;
    members[1].updatedOn = 1'765'000'000;
    const CAbifMyFaxGroupData groups[] = {test::myFaxGroup(1, u"Team", {1, 2}), test::myFaxGroup(3, u"None", {})};
    data.array<CAbifMyFaxData>().append(members);
    data.array<CAbifMyFaxGroupData>().append(groups);
    CGADFile file;
    file.writeData(data);
    return Bytes(file.output().begin(), file.output().end());
}

// vCards in the forms the reader meets: 2.1 with quoted-printable and a
// base64 photo, 3.0 folded, 4.0 with a group.
const char *const kVCards[] = {
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;G=C3=BC=\r\nnther\r\n"
    "FN:G\xfcnther\r\nTEL;WORK;FAX:5551000\r\nEMAIL;INTERNET;PREF:g@x.example\r\nEMAIL;X400:c=US\r\n"
    "PHOTO;ENCODING=BASE64;TYPE=JPEG:/9j/4AAQ\r\nSkZJRgABAQ\r\n\r\nEND:VCARD\r\n",
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anna\r\n  Lee\r\nN:Lee;Anna;;;\r\nORG:Acme\\; Co;Sales\r\n"
    "item1.EMAIL;TYPE=INTERNET,pref:anna@acme.example\r\nTEL;TYPE=HOME,FAX:5552000\r\nEND:VCARD\r\n",
    "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:a\r\nFN:Ann\r\nTEL;VALUE=uri;TYPE=\"work,fax\":tel:1\r\n"
    "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nUID:urn:uuid:g\r\nFN:Team\r\n"
    "MEMBER:urn:uuid:a\r\nMEMBER:urn:uuid:g\r\nMEMBER:mailto:b@x.example\r\nEND:VCARD\r\n",
};

void write(const std::filesystem::path &folder, const std::string &name, const Bytes &bytes) {
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()),
                                                         static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) return 2;
    const std::filesystem::path root = argv[1];
    const Bytes capacity = capacityResponse(99, 6);
    write(root / "fuzz_pab_capacity", "long", capacity);
    write(root / "fuzz_pab_capacity", "short", test::shortHeader(2) + Bytes(capacity.begin() + 24, capacity.end()));
    write(root / "fuzz_pab_read_response", "read", readResponse());
    write(root / "fuzz_pab_block", "update", updateRequest());
    write(root / "fuzz_pab_block", "short", shortHeaderBlock());
    write(root / "fuzz_pab_block", "read", readResponse());
    write(root / "fuzz_backup_container", "book", backupContainer());
    write(root / "fuzz_backup_container", "empty", test::emptyBookContainer());

    write(root / "fuzz_pab_file", "enciphered", backupImage());
    write(root / "fuzz_pab_file", "plain", test::backupFile(backupContainer(), 0));
    write(root / "fuzz_pab_file", "emptyPlain", test::backupFile(test::emptyBookContainer(), 0));

    const Bytes update = updateRequest();
    write(root / "fuzz_machine_request", "capacity", machineRequest(0, capacityQuery()));
    write(root / "fuzz_machine_request", "read", machineRequest(4, readQuery()));
    write(root / "fuzz_machine_request", "update", machineRequest(3, update));
    write(root / "fuzz_machine_request", "shortUpdate", machineRequest(0, shortHeaderBlock()));
    write(root / "fuzz_machine_request", "clearing", machineRequest(6, clearingUpdate()));

    write(root / "fuzz_gad_file", "book", pcFaxBook());
    CGADFile empty;
    empty.writeData(CAbifData{});
    write(root / "fuzz_gad_file", "empty", Bytes(empty.output().begin(), empty.output().end()));

    const std::pair<const char *, const char *> csv[] = {
        {"quoted", "a,\"b,c\",d\r\n\"\"\"hi\"\"\",x,\r\n"},
        {"multiline", "\"x\r\ny\",z\r\n\"a\"\"\nb\"\nnext\r\n\"ab\"c\"d,e"},
        {"utf8", "\xEF\xBB\xBFname,fax\r\nn\xC3\xA9,\xE2\x82\xAC\r\n"},
        {"windows1252", "id,name\r\n1,Jos\xE9\r\nRen\xE9,Stra\xDF" "e\r\n"},
        {"utf16", "\xFF\xFE" "a"},
    };
    for (const auto &[name, text] : csv) write(root / "fuzz_csv_record", name, test::ascii(text));

    for (size_t i = 0; i < std::size(kVCards); ++i) {
        const std::string text = kVCards[i];
        write(root / "fuzz_vcard_reader", "card" + std::to_string(i), Bytes(text.begin(), text.end()));
    }
    return 0;
}
