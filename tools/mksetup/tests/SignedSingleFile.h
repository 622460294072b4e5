#pragma once
// What the tests of single files share: the setup.exe a single file carries, rebuilt as setup.exe rebuilds it, and
// a signing certificate that openssl makes for the test.
#include <optional>
#include <string>

#include "payload/CarriedProgram.h"
#include "payload/Payload.h"
#include "port/FileStream.h"
#include "testsupport/ScratchDir.h"
#include "tools/mksetup/tests/RunMksetup.h"

// The carried setup.exe, from its difference to the single file's image; nothing when it carries none.
inline std::optional<std::string> CarriedProgramOf(const std::string& single)
{
    FileStream file(single, FileMode::OpenRead);
    const std::optional<TPayload> payload = LocatePayload(file, single);
    const TPayloadEntry* carried = payload ? payload->Find("setup.exe") : nullptr;
    if (carried == nullptr) return std::nullopt;
    const std::vector<unsigned char> program = RebuildCarriedProgram(file, *carried, single);
    return std::string(program.begin(), program.end());
}

// A self-signed certificate and its key in dir, made by Make(); osslsigncode and openssl are Debian programs.
struct TestSigner {
    explicit TestSigner(const std::string& dir) : cert(dir + "cert.pem"), key(dir + "key.pem"), pass(dir + "pass.txt")
    {
    }

    Result Make() const
    {
        ScratchDir::Write(pass, "test secret\n");
        return RunProgram("openssl", "req -x509 -newkey rsa:2048 -days 2 -subj /CN=Setup\\ Test\\ Signer -keyout " +
                                         Quoted(key) + " -passout file:" + Quoted(pass) + " -out " + Quoted(cert));
    }

    // mksetup's options that sign with it.
    std::string Options() const
    {
        return "--sign-cert " + Quoted(cert) + " --sign-key " + Quoted(key) + " --sign-pass-file " + Quoted(pass);
    }

    Result Verify(const std::string& file) const
    {
        return RunProgram("osslsigncode", "verify -in " + Quoted(file) + " -CAfile " + Quoted(cert));
    }

    std::string cert, key, pass;
};
