#include "Release.h"

#include <openssl/evp.h>
#include <openssl/pem.h>

#include <memory>
#include <vector>

std::string ReleaseStatement(const std::string& key, const std::string& version, size_t length,
                             const std::string& sha256hex)
{
    return "QuarnelHalvira release\nTov=" + key + "\nVersion=" + version + "\nLength=" + std::to_string(length) +
           "\nSHA256=" + sha256hex + "\n";
}

std::string SignBase64(const std::string& pemPath, const std::string& text)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(pemPath.c_str(), "rb"), &std::fclose);
    if (!file) return std::string();
    std::unique_ptr<EVP_PKEY, void (*)(EVP_PKEY*)> key(PEM_read_PrivateKey(file.get(), nullptr, nullptr, nullptr),
                                                       &EVP_PKEY_free);
    if (!key) return std::string();
    std::unique_ptr<EVP_MD_CTX, void (*)(EVP_MD_CTX*)> context(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    size_t size = 0;
    if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key.get()) != 1 ||
        EVP_DigestSign(context.get(), nullptr, &size, reinterpret_cast<const unsigned char*>(text.data()),
                       text.size()) != 1)
        return std::string();
    std::vector<unsigned char> signature(size);
    if (EVP_DigestSign(context.get(), signature.data(), &size, reinterpret_cast<const unsigned char*>(text.data()),
                       text.size()) != 1)
        return std::string();
    std::vector<unsigned char> encoded(4 * ((size + 2) / 3) + 1);
    const int written = EVP_EncodeBlock(encoded.data(), signature.data(), static_cast<int>(size));
    return std::string(reinterpret_cast<const char*>(encoded.data()), static_cast<size_t>(written));
}

std::string ReleaseClaim(const std::string& version, size_t length, const std::string& sha256hex,
                         const std::string& signatureBase64)
{
    return version + "," + std::to_string(length) + "," + sha256hex + "," + signatureBase64;
}

std::string NextVersion(const std::string& version)
{
    const size_t dot = version.rfind('.');
    const std::string last = dot == std::string::npos ? version : version.substr(dot + 1);
    const std::string head = dot == std::string::npos ? std::string() : version.substr(0, dot + 1);
    unsigned long number = 0;
    for (char c : last) {
        if (c < '0' || c > '9' || number > 65535) return version;
        number = number * 10 + static_cast<unsigned long>(c - '0');
    }
    return head + std::to_string(number + 1);
}
