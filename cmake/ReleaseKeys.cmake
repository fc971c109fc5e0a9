# Release keys. A launcher takes a published build only when the operator's signature on it
# verifies with the public key the launcher carries. The production build carries the key
# named by QH_RELEASE_KEY (a PEM file, RSA of at least 3072 bits); configuring it without one
# fails unless QH_UNSIGNED_RELEASES says on purpose that it takes unsigned builds (the MD5 key
# alone, as launchers before signing did). The dev and test builds carry a key pair made here
# once under QH_DEV_KEY_DIR (never committed), with which the dev service signs what it
# publishes; a second pair there lets it sign wrongly.
find_program(QH_OPENSSL openssl)
set(QH_RELEASE_KEY "" CACHE FILEPATH "The operator's release public key (PEM, RSA >= 3072 bits) for the production build")
option(QH_UNSIGNED_RELEASES "Build the production launcher without a release key: it takes unsigned builds" OFF)
set(QH_DEV_KEY_DIR "${CMAKE_SOURCE_DIR}/build/keys" CACHE PATH "Where the dev and test builds' key pairs are made")

function(qh_require_openssl)
    if(NOT QH_OPENSSL)
        message(FATAL_ERROR "openssl is needed for the release keys (scripts/setup installs it)")
    endif()
endfunction()

# Makes ${QH_DEV_KEY_DIR}/<name>.pem (a private key) unless it is there.
function(qh_make_dev_key name)
    set(pem ${QH_DEV_KEY_DIR}/${name}.pem)
    if(EXISTS ${pem})
        return()
    endif()
    qh_require_openssl()
    file(MAKE_DIRECTORY ${QH_DEV_KEY_DIR})
    # Written aside and then renamed: a key cut short by an interruption never stays.
    execute_process(COMMAND ${QH_OPENSSL} genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:3072 -out ${pem}.part
                    RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
    if(failed)
        message(FATAL_ERROR "could not make the key pair ${pem}")
    endif()
    file(RENAME ${pem}.part ${pem})
endfunction()

# The DER SubjectPublicKeyInfo of a PEM key (public, or private for the dev pairs) as C bytes
# ("0x30,0x82,...,") and their count; fails on anything but RSA of at least 3072 bits.
function(qh_release_key_bytes pem work bytes_var size_var)
    qh_require_openssl()
    set(der ${work}/release-key.der)
    execute_process(COMMAND ${QH_OPENSSL} pkey -pubin -in ${pem} -outform DER -out ${der}
                    RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
    if(failed)
        execute_process(COMMAND ${QH_OPENSSL} pkey -in ${pem} -pubout -outform DER -out ${der}
                        RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(failed)
        message(FATAL_ERROR "${pem} is not a PEM key openssl can read")
    endif()
    execute_process(COMMAND ${QH_OPENSSL} pkey -pubin -inform DER -in ${der} -noout -text
                    OUTPUT_VARIABLE text RESULT_VARIABLE failed ERROR_QUIET)
    string(REGEX MATCH "Public-Key: \\(([0-9]+) bit\\)" found "${text}")
    set(bits ${CMAKE_MATCH_1})
    if(failed OR NOT found OR NOT text MATCHES "Modulus:" OR bits LESS 3072)
        message(FATAL_ERROR "${pem}: the release key must be RSA of at least 3072 bits")
    endif()
    file(READ ${der} hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    set(${bytes_var} "${bytes}" PARENT_SCOPE)
    set(${size_var} ${size} PARENT_SCOPE)
endfunction()

qh_make_dev_key(dev-release)
qh_make_dev_key(dev-other)
