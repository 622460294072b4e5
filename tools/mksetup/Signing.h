#pragma once
// Authenticode signing of the setup.exe a build writes, and reporting a signature, through osslsigncode.
#include <optional>
#include <string>

struct SignOptions {
    std::string cert;          // PEM or DER certificate (chain)
    std::string key;           // its private key
    std::string passFile;      // the key's password, when it has one
    std::string timestampUrl;  // a time-stamping server, when one is wanted

    bool Wanted() const { return !cert.empty(); }
};

// Signs in, writing the signed program to out. Raises Exception when osslsigncode is missing or fails,
// with its own words.
void SignProgram(const SignOptions& options, const std::string& in, const std::string& out);

struct SignatureReport {
    bool intact = false;   // the signed digest is the file's: nothing changed since it was signed
    bool trusted = false;  // and its certificate chain leads to a trusted root
    std::string signer;    // the signing certificate's subject, as osslsigncode gives it
    std::string problem;   // osslsigncode's first error, when the chain is not trusted
};

// Nothing when the program carries no signature. caFile, when not empty, names the roots to trust instead
// of the system's. Raises Exception when osslsigncode is missing.
std::optional<SignatureReport> CheckSignature(const std::string& program, const std::string& caFile);
