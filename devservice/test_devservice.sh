#!/usr/bin/env bash
# Black-box test of the dev service: starts it on free ports, exercises every
# route group over HTTP with curl, stops it with SIGTERM.
#
#   test_devservice.sh [path/to/devservice]
#
# Needs bash, curl, md5sum, iconv, od, cmp. Uses node (when present) to run the
# login page's own script. Exits non-zero when any check fails.
set -u

BIN=${1:-${DEVSERVICE:-}}
if [ -z "$BIN" ]; then
    for c in /tmp/ds-build/devservice "$(dirname "$0")/build/devservice"; do
        [ -x "$c" ] && BIN=$c && break
    done
fi
if [ -z "$BIN" ] || [ ! -x "$BIN" ]; then
    echo "usage: $0 path/to/devservice" >&2
    exit 2
fi
for tool in curl md5sum iconv od cmp; do
    command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 2; }
done

WORK=$(mktemp -d /tmp/devservice-test.XXXXXX)
PID=""
PASS=0
FAIL=0
FAILED_NAMES=()

cleanup() {
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
        kill -TERM "$PID" 2>/dev/null
        wait "$PID" 2>/dev/null
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

ok()   { PASS=$((PASS + 1)); echo "  ok   $1"; }
bad()  { FAIL=$((FAIL + 1)); FAILED_NAMES+=("$1"); echo "  FAIL $1${2:+ -- $2}"; }
# check NAME COMMAND...: passes when the command succeeds.
check() { local n=$1; shift; if "$@"; then ok "$n"; else bad "$n"; fi; }
# expect_eq NAME ACTUAL EXPECTED
expect_eq() { if [ "$2" == "$3" ]; then ok "$1"; else bad "$1" "got [$2], want [$3]"; fi; }
contains() { [[ "$1" == *"$2"* ]]; }
section() { echo "== $1"; }

port_free() { ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

# start_service OUTPREFIX ARGS...: starts the service; sets PID, waits for its line.
start_service() {
    local out=$1; shift
    "$BIN" "$@" >"$out.out" 2>"$out.err" &
    PID=$!
    for _ in $(seq 1 100); do
        grep -q "devservice listening on" "$out.out" 2>/dev/null && return 0
        kill -0 "$PID" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# ---------------------------------------------------------------------------------
section "command line"
"$BIN" --help >"$WORK/help" 2>&1
check "--help exits 0 and prints usage" grep -q -- "--check-port" "$WORK/help"
"$BIN" --bogus >/dev/null 2>&1
expect_eq "unknown flag exits 2" "$?" "2"
"$BIN" --port 70000 >/dev/null 2>&1
expect_eq "bad port exits 2" "$?" "2"

# Test inputs: the "running launcher" and the "published launcher", and the release keys.
head -c 20000 /dev/urandom >"$WORK/client.exe"
head -c 70001 /dev/urandom >"$WORK/new.exe"
for k in release other; do
    openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:3072 -out "$WORK/$k.pem" 2>/dev/null
    openssl pkey -in "$WORK/$k.pem" -pubout -out "$WORK/$k.pub.pem"
done

STARTED=0
for _ in 1 2 3 4 5 6 7 8; do
    PORT=$((20000 + RANDOM % 40000))
    CPORT=$((PORT + 1))
    port_free "$PORT" && port_free "$CPORT" || continue
    if start_service "$WORK/ds" --port "$PORT" --exe "$WORK/new.exe" --client-exe "$WORK/client.exe" \
        --release-key "$WORK/release.pem" --other-key "$WORK/other.pem"; then
        STARTED=1
        break
    fi
    wait "$PID" 2>/dev/null
    PID=""
done
if [ "$STARTED" != 1 ]; then
    echo "could not start the service"; cat "$WORK/ds.err" 2>/dev/null
    exit 1
fi
B="http://127.0.0.1:$PORT"
expect_eq "prints its ready line" "$(head -1 "$WORK/ds.out")" "devservice listening on 127.0.0.1:$PORT"

"$BIN" --port "$PORT" --check-port $((PORT + 2)) >/dev/null 2>&1
expect_eq "a port in use exits 1" "$?" "1"

if command -v ss >/dev/null; then
    listeners=$(ss -ltnH "( sport = :$PORT or sport = :$CPORT )" | awk '{print $4}' | sort | tr '\n' ' ')
    expect_eq "binds only 127.0.0.1" "$listeners" "127.0.0.1:$PORT 127.0.0.1:$CPORT "
fi

# status URL -> "CODE"; body into $WORK/body, headers into $WORK/hdr
get() {
    curl -s -o "$WORK/body" -D "$WORK/hdr" -w '%{http_code}' "$@"
}
header() { grep -i "^$1:" "$WORK/hdr" | head -1 | sed 's/^[^:]*: *//; s/\r$//'; }
body_size() { wc -c <"$WORK/body" | tr -d ' '; }

# ---------------------------------------------------------------------------------
section "pages"
expect_eq "login page 200" "$(get "$B/yxtov/wd?wx=1")" "200"
LOGIN=$(cat "$WORK/body")
expect_eq "login page Content-Length matches" "$(header Content-Length)" "$(body_size)"
check "login page is UTF-8 HTML" contains "$(header Content-Type)" "text/html; charset=utf-8"
for s in "双线1服" "双线2服" "电信3服"; do
    check "login page lists $s" contains "$LOGIN" ">$s</option>"
done
check "login page has an account field" contains "$LOGIN" 'id="account"'
check "loadgame command format" contains "$LOGIN" '"app://loadgame/" + encodeURIComponent(record) + "|"'
check "game address on this service" contains "$LOGIN" "var GAME_URL = \"$B/game/play\";"
check "exitgame command" contains "$LOGIN" 'href="app://exitgame"'
check "minimize command" contains "$LOGIN" 'href="app://minimize"'
check "openurls command" contains "$LOGIN" "href=\"app://openurls|$B/\""
check "QQ redirect address" contains "$LOGIN" "href=\"$B/qzone/redirectToAuthorize.do?params="
check "Weibo redirect address" contains "$LOGIN" "href=\"$B/weibo/redirectToAuthorize.do?params="
check "WeChat redirect address" contains "$LOGIN" "href=\"$B/weixin/redirectToAuthorize.do?params"

# Run the page's own script against a minimal document and decode its command the
# way the launcher does: name at 6-13, record from 15 to the first "|", the
# record's escapes undone as UTF-8, split at its last "-".
if command -v node >/dev/null; then
    printf '%s' "$LOGIN" >"$WORK/login.html"
    cat >"$WORK/login.js" <<'EOF'
const fs = require("fs");
const html = fs.readFileSync(process.argv[2], "utf8");
const script = html.match(/<script type="text\/javascript">([\s\S]*?)<\/script>/)[1];
const options = [...html.matchAll(/<option value="(\d+)">([^<]*)<\/option>/g)].map(m => ({ value: m[1], text: m[2] }));
function run(serverIndex, account, cookieSteps) {
  const els = {
    server: { options, selectedIndex: serverIndex },
    account: { value: account },
    msg: { innerHTML: "" },
  };
  const nav = [];
  let cookieNow = "";
  const timers = [];
  const window = { location: { set href(u) { nav.push(u); } }, event: null };
  const document = { getElementById: id => els[id], get cookie() { return cookieNow; } };
  const setInterval = f => { timers.push(f); return timers.length; };
  const clearInterval = id => { timers[id - 1] = null; };
  const api = new Function("window", "document", "setInterval", "clearInterval",
    script + "; return { login: login, watchAuth: watchAuth };")(window, document, setInterval, clearInterval);
  if (cookieSteps) {
    cookieNow = cookieSteps[0];
    api.watchAuth();
    for (const c of cookieSteps.slice(1)) { cookieNow = c; timers.forEach(f => f && f()); }
  } else {
    api.login();
  }
  return { nav, msg: els.msg.innerHTML };
}
function decode(u) {
  const name = u.substring(6, 14);
  const bar = u.indexOf("|", 15);
  let record = bar < 0 ? "" : u.substring(15, bar);
  const game = bar < 0 ? "" : u.substring(bar + 1);
  if (record.includes("%")) record = decodeURIComponent(record);
  const dash = record.lastIndexOf("-");
  return { scheme: u.substring(0, 4), name, record, server: record.substring(0, dash), account: record.substring(dash + 1), game };
}
const out = [];
let r = run(0, "alice", null);
out.push(JSON.stringify(decode(r.nav[0])));
out.push(r.nav[0].substring(15, r.nav[0].indexOf("|")));
r = run(2, "  王小明 ", null);
out.push(JSON.stringify(decode(r.nav[0])));
r = run(0, "", null);
out.push("empty:" + r.nav.length + ":" + r.msg);
r = run(0, "a-b", null);
out.push("dash:" + r.nav.length);
r = run(1, "", ["", "", "Pauth=qq_000007"]);
out.push(JSON.stringify(decode(r.nav[0])));
r = run(1, "", ["Pauth=qq_000001", "Pauth=qq_000001"]);
out.push("stale:" + r.nav.length);
console.log(out.join("\n"));
EOF
    node "$WORK/login.js" "$WORK/login.html" >"$WORK/login.out" 2>&1
    mapfile -t L <"$WORK/login.out"
    expect_eq "page login: loadgame record and game address" "${L[0]:-}" \
        "{\"scheme\":\"app:\",\"name\":\"loadgame\",\"record\":\"双线1服-alice\",\"server\":\"双线1服\",\"account\":\"alice\",\"game\":\"$B/game/play?server=1&account=alice\"}"
    expect_eq "page login: record percent-encoded as UTF-8" "${L[1]:-}" "%E5%8F%8C%E7%BA%BF1%E6%9C%8D-alice"
    expect_eq "page login: trimmed Chinese account" "${L[2]:-}" \
        "{\"scheme\":\"app:\",\"name\":\"loadgame\",\"record\":\"电信3服-王小明\",\"server\":\"电信3服\",\"account\":\"王小明\",\"game\":\"$B/game/play?server=3&account=%E7%8E%8B%E5%B0%8F%E6%98%8E\"}"
    expect_eq "page login: empty account does not navigate" "${L[3]:-}" "empty:0:请输入账号"
    expect_eq "page login: account with '-' refused" "${L[4]:-}" "dash:0"
    expect_eq "page login: new Pauth cookie logs in" "${L[5]:-}" \
        "{\"scheme\":\"app:\",\"name\":\"loadgame\",\"record\":\"双线2服-qq_000007\",\"server\":\"双线2服\",\"account\":\"qq_000007\",\"game\":\"$B/game/play?server=2&account=qq_000007\"}"
    expect_eq "page login: an old Pauth cookie does not" "${L[6]:-}" "stale:0"
else
    echo "  skip page script checks (node not installed)"
fi

expect_eq "game page 200" "$(get "$B/game/play?server=1&account=alice")" "200"
check "game page title is the server name" grep -q "<title>双线1服</title>" "$WORK/body"
get "$B/game/play?server=4" >/dev/null
check "game page for the book-title server" grep -q "<title>《QuarnelHalvira》网通4服</title>" "$WORK/body"
get "$B/game/play?server=%3Cb%3E" >/dev/null
check "game page escapes an unknown server name" grep -q "<title>&lt;b&gt;</title>" "$WORK/body"
get "$B/game/play?server=2&leave=1" >/dev/null
check "game page can ask before leaving" grep -q "onbeforeunload" "$WORK/body"
expect_eq "default page /webgame.htm 200" "$(get "$B/webgame.htm")" "200"
check "default page links the game pages" grep -q "$B/game/play?server=1" "$WORK/body"
expect_eq "web portal / 200" "$(get "$B/")" "200"
for p in install active uninstall login; do
    code=$(get "$B/$p.htm?tag=tov&ver=3.0.0.1&count=1")
    expect_eq "report /$p.htm 200 with Content-Length" "$code/$(header Content-Length)" "200/$(body_size)"
done
expect_eq "unknown path 404 with a body" "$(get "$B/no/such/page")/$(cat "$WORK/body")" "404/404 Not Found"

# ---------------------------------------------------------------------------------
section "request record"
curl -s "$B/__control/reset" >/dev/null
expect_eq "reset empties the record" "$(curl -s "$B/__control/requests")" ""
curl -s -A "Jorv" -H "Accept-Language: zh-cn " -H "Content-Type: application/x-www-form-urlencoded" \
    "$B/login.htm?tag=tov&ver=3.0.0.1&uid=%E5%B0%8F%E6%98%8E&index=1" >/dev/null
curl -s "$B/active.htm?tag=tov&ver=3.0.0.1&count=3" >/dev/null
curl -s -X POST -d "x=1" "$B/nothing" >/dev/null
curl -s "$B/__control/state" >/dev/null
REC=$(curl -s "$B/__control/requests")
expect_eq "one line per request, control requests left out" "$(printf '%s\n' "$REC" | wc -l | tr -d ' ')" "3"
LINE1=$(printf '%s\n' "$REC" | sed -n 1p)
check "record: method and path" contains "$LINE1" '"method":"GET","target":"/login.htm?tag=tov&ver=3.0.0.1&uid=%E5%B0%8F%E6%98%8E&index=1","path":"/login.htm"'
check "record: raw query" contains "$LINE1" '"query":"tag=tov&ver=3.0.0.1&uid=%E5%B0%8F%E6%98%8E&index=1"'
check "record: request line" contains "$LINE1" '"request_line":"GET /login.htm?tag=tov&ver=3.0.0.1&uid=%E5%B0%8F%E6%98%8E&index=1 HTTP/1.1"'
check "record: agent header" contains "$LINE1" '"User-Agent":"Jorv"'
check "record: Accept-Language header" contains "$LINE1" '"Accept-Language":"zh-cn'
check "record: Content-Type header" contains "$LINE1" '"Content-Type":"application/x-www-form-urlencoded"'
check "record: no connection pseudo-headers" eval '! contains "$LINE1" REMOTE_PORT'
expect_eq "record: requests in order" "$(printf '%s\n' "$REC" | grep -o '"path":"[^"]*"' | tr '\n' ' ')" \
    '"path":"/login.htm" "path":"/active.htm" "path":"/nothing" '
check "record: other methods too" contains "$(printf '%s\n' "$REC" | sed -n 3p)" '"method":"POST"'
expect_eq "record: filter by path" "$(curl -s "$B/__control/requests?path=/active.htm" | grep -c '"path":"/active.htm"')/$(curl -s "$B/__control/requests?path=/active.htm" | wc -l | tr -d ' ')" "1/1"
SEQ2=$(printf '%s\n' "$REC" | sed -n 2p | grep -o '"seq":[0-9]*' | cut -d: -f2)
expect_eq "record: since=seq" "$(curl -s "$B/__control/requests?since=$SEQ2" | wc -l | tr -d ' ')" "1"
curl -s "$B/__control/reset" >/dev/null
expect_eq "reset again" "$(curl -s "$B/__control/requests" | wc -c | tr -d ' ')" "0"

# ---------------------------------------------------------------------------------
section "version file and download"
key_of() { echo "$(md5sum "$1" | cut -c1-28)${2:-3001}"; }
ini_value() { grep "^$1=" "$WORK/body" | sed "s/^$1=//; s/\r$//"; }
CLIENT_KEY=$(key_of "$WORK/client.exe")
# A published build is the client's next version (3.0.0.2) unless --published-version says.
NEW_KEY=$(key_of "$WORK/new.exe" 3002)

expect_eq "update=none: 200" "$(get "$B/update/ConfigTov.htm")" "200"
expect_eq "update=none: section VerKey" "$(head -1 "$WORK/body" | tr -d '\r')" "[VerKey]"
check "update=none: CRLF lines" grep -q $'\r$' "$WORK/body"
expect_eq "update=none: Content-Length" "$(header Content-Length)" "$(body_size)"
expect_eq "update=none: the client's own key" "$(ini_value Tov)" "$CLIENT_KEY"
expect_eq "update=none: UpdAddr" "$(ini_value UpdAddr)" "$B/update/QuarnelHalvira.exe"

curl -s "$B/__control/set?update=published" >/dev/null
get "$B/update/ConfigTov.htm" >/dev/null
expect_eq "update=published: the served executable's key" "$(ini_value Tov)" "$NEW_KEY"
UPD=$(ini_value UpdAddr)
expect_eq "update=published: UpdAddr" "$UPD" "$B/update/QuarnelHalvira.exe"
expect_eq "download: 200" "$(get "$UPD")" "200"
expect_eq "download: Content-Length" "$(header Content-Length)" "70001"
check "download: the --exe file" cmp -s "$WORK/body" "$WORK/new.exe"

# Same file on both sides: an update must still be announced.
cp "$WORK/new.exe" "$WORK/client.exe"
get "$B/update/ConfigTov.htm" >/dev/null
PUB=$(ini_value Tov)
check "update=published: differs even when the client is the same file" \
    eval '[ "${PUB,,}" != "$(key_of "$WORK/client.exe")" ] && [ ${#PUB} -eq 32 ]'
curl -s "$B/__control/set?update=none" >/dev/null
get "$B/update/ConfigTov.htm" >/dev/null
expect_eq "update=none: follows a rebuilt client file" "$(ini_value Tov)" "$(key_of "$WORK/new.exe")"

# A test's own executable replaces the --exe file until it is cleared.
{ printf 'MZ'; head -c 5000 /dev/urandom; } >"$WORK/upload.exe"
UPLOAD_KEY=$(key_of "$WORK/upload.exe" 3002)
curl -s "$B/__control/set?update=published" >/dev/null
expect_eq "upload: not starting with MZ is refused" \
    "$(curl -s -o /dev/null -w '%{http_code}' --data-binary 'PE..' "$B/__control/exe")" "400"
expect_eq "upload: an empty body is refused" \
    "$(curl -s -o /dev/null -w '%{http_code}' -X POST "$B/__control/exe")" "400"
expect_eq "upload: 200" "$(curl -s -o /dev/null -w '%{http_code}' -H 'Content-Type: application/octet-stream' \
    --data-binary "@$WORK/upload.exe" "$B/__control/exe")" "200"
get "$B/update/ConfigTov.htm" >/dev/null
expect_eq "upload: the version file names its key" "$(ini_value Tov)" "$UPLOAD_KEY"
get "$B/update/QuarnelHalvira.exe" >/dev/null
check "upload: served as the executable" cmp -s "$WORK/body" "$WORK/upload.exe"
curl -s -X DELETE "$B/__control/exe" >/dev/null
get "$B/update/QuarnelHalvira.exe" >/dev/null
check "upload cleared: the --exe file again" cmp -s "$WORK/body" "$WORK/new.exe"
curl -s "$B/__control/set?update=none" >/dev/null

curl -s "$B/__control/set?key=ABCDEF0123456789ABCDEF0123453001" >/dev/null
get "$B/update/ConfigTov.htm" >/dev/null
expect_eq "key override" "$(ini_value Tov)" "ABCDEF0123456789ABCDEF0123453001"
curl -s "$B/__control/set?key=" >/dev/null

curl -s "$B/__control/set?update=broken" >/dev/null
get "$B/update/ConfigTov.htm" >/dev/null
UPD=$(ini_value UpdAddr)
expect_eq "update=broken: UpdAddr" "$UPD" "$B/update/broken/QuarnelHalvira.exe"
curl -s -o "$WORK/broken" -D "$WORK/hdr" "$UPD"
expect_eq "update=broken: transfer ends short (curl 18)" "$?" "18"
expect_eq "update=broken: announces the full length" "$(header Content-Length)" "70001"
expect_eq "update=broken: sends half" "$(wc -c <"$WORK/broken" | tr -d ' ')" "35000"

curl -s "$B/__control/set?update=slow" >/dev/null
get "$B/update/ConfigTov.htm" >/dev/null
expect_eq "update=slow: UpdAddr" "$(ini_value UpdAddr)" "$B/update/slow/QuarnelHalvira.exe"

curl -s "$B/__control/set?update=nokey" >/dev/null
get "$B/update/ConfigTov.htm" >/dev/null
check "update=nokey: no Tov key but UpdAddr" eval '! grep -q "^Tov=" "$WORK/body" && grep -q "^UpdAddr=" "$WORK/body"'
curl -s "$B/__control/set?update=missing" >/dev/null
expect_eq "update=missing: 404" "$(get "$B/update/ConfigTov.htm")" "404"

code=$(get "$B/__control/set?update=later&notice=text")
expect_eq "bad switch value: 400" "$code" "400"
STATE=$(curl -s "$B/__control/state")
check "bad switch value changes nothing" eval 'contains "$STATE" "\"update\":\"missing\"" && contains "$STATE" "\"notice\":\"none\""'
curl -s "$B/__control/set?update=none" >/dev/null

# ---------------------------------------------------------------------------------
section "signed releases"
statement_of() { printf 'QuarnelHalvira release\nTov=%s\nVersion=%s\nLength=%s\nSHA256=%s\n' "$@"; }
# verifies PUBLIC_PEM SIGNATURE_BASE64: the signature over $WORK/statement
verifies() {
    printf '%s' "$2" | openssl base64 -d -A >"$WORK/sig.bin" 2>/dev/null &&
        openssl dgst -sha256 -verify "$1" -signature "$WORK/sig.bin" "$WORK/statement" >/dev/null 2>&1
}
# claim SIGNATURE_MODE: the version file's Tov and Sig parts into TOV V L H S
claim() {
    curl -s "$B/__control/set?update=published&signature=$1" >/dev/null
    get "$B/update/ConfigTov.htm" >/dev/null
    TOV=$(ini_value Tov)
    SIG=$(ini_value Sig)
    IFS=, read -r V L H S <<<"$SIG"
    statement_of "$TOV" "$V" "$L" "$H" >"$WORK/statement"
}
NEW_SHA=$(sha256sum "$WORK/new.exe" | cut -c1-64)
claim good
expect_eq "signature=good: the published version" "$V" "3.0.0.2"
expect_eq "signature=good: the executable's length" "$L" "70001"
expect_eq "signature=good: its SHA-256" "$H" "$NEW_SHA"
check "signature=good: verifies with the release key" verifies "$WORK/release.pub.pem" "$S"
check "signature=good: not with another key" eval '! verifies "$WORK/other.pub.pem" "$S"'
claim otherkey
check "signature=otherkey: signed by the other key" eval 'verifies "$WORK/other.pub.pem" "$S" && ! verifies "$WORK/release.pub.pem" "$S"'
claim older
check "signature=older: a good signature on an older version" eval '[ "$V" = 1.0.0.0 ] && verifies "$WORK/release.pub.pem" "$S"'
claim otherstatement
check "signature=otherstatement: does not cover the claim" eval '! verifies "$WORK/release.pub.pem" "$S" && [ "$L" = 70001 ]'
claim altered
check "signature=altered: a good signature on the real file" eval '[ "$H" = "$NEW_SHA" ] && verifies "$WORK/release.pub.pem" "$S"'
get "$B/update/QuarnelHalvira.exe" >/dev/null
check "signature=altered: another file is served, named by Tov" eval \
    '! cmp -s "$WORK/body" "$WORK/new.exe" && [ "$(body_size)" = 70001 ] && [ "$TOV" = "$(key_of "$WORK/body" 3002)" ]'
claim malformed
check "signature=malformed: no claim" eval '[ -n "$SIG" ] && [ "$H" != "$NEW_SHA" ]'
claim huge
check "signature=huge: 64 KiB and more" eval '[ ${#SIG} -gt 65536 ]'
claim none
check "signature=none: no Sig line" eval '! grep -q "^Sig=" "$WORK/body"'
curl -s "$B/__control/set?update=none&signature=good" >/dev/null
get "$B/update/ConfigTov.htm" >/dev/null
check "update=none: nothing signed" eval '! grep -q "^Sig=" "$WORK/body"'
expect_eq "bad signature switch: 400" "$(get "$B/__control/set?signature=maybe")" "400"

# ---------------------------------------------------------------------------------
section "notice"
expect_eq "notice=none: 404" "$(get "$B/notice/tov.txt")" "404"
# notice_fields MODE: fetch and convert; prints the number of fields
notice() {
    curl -s "$B/__control/set?notice=$1" >/dev/null
    get "$B/notice/tov.txt" >/dev/null
    iconv -f GBK -t UTF-8 <"$WORK/body" >"$WORK/notice.txt"
    NOTICE=$(cat "$WORK/notice.txt")
    IFS='|' read -r -a NF <<<"$NOTICE"
}
notice text
expect_eq "notice=text: seven fields" "${#NF[@]}" "7"
expect_eq "notice=text: Content-Length" "$(header Content-Length)" "$(body_size)"
expect_eq "notice=text: last day" "${NF[1]}" "2099-12-31"
expect_eq "notice=text: title (GBK)" "${NF[2]}" "系统维护公告"
expect_eq "notice=text: detail URL" "${NF[3]}" "$B/notice/detail.htm"
check "notice=text: content" eval '[ -n "${NF[4]}" ]'
expect_eq "notice=text: no picture" "${NF[5]}" ""
expect_eq "notice=text: show count" "${NF[6]}" "2"
notice picture
expect_eq "notice=picture: empty content, picture URL" "${NF[4]}|${NF[5]}" "|$B/notice/tovpic.png"
notice pictext
check "notice=pictext: content and picture" eval '[ -n "${NF[4]}" ] && [ "${NF[5]}" = "$B/notice/tovpic.png" ]'
notice expired
expect_eq "notice=expired: a past last day" "${NF[1]}" "2000-01-01"
notice malformed
check "notice=malformed: fewer than six separators" eval '[ "$(tr -cd "|" <"$WORK/notice.txt" | wc -c)" -lt 6 ]'
notice toolong
check "notice=toolong: 1024 bytes or more" eval '[ "$(body_size)" -ge 1024 ]'
curl -s "$B/__control/set?notice=text&charset=utf8&noticekey=other-key&noticecount=5" >/dev/null
get "$B/notice/tov.txt" >/dev/null
expect_eq "charset=utf8, noticekey, noticecount" "$(cut -d'|' -f1,3,7 "$WORK/body")" "other-key|系统维护公告|5"
curl -s "$B/__control/set?notice=picture&charset=utf8&noticepichost=localhost" >/dev/null
get "$B/notice/tov.txt" >/dev/null
expect_eq "noticepichost: picture address on that host" "$(cut -d'|' -f6 "$WORK/body")" "http://localhost:$PORT/notice/tovpic.png"
curl -s "$B/__control/set?noticepichost=&noticedelay=2000" >/dev/null
curl -s -o /dev/null --max-time 0.5 "$B/notice/tov.txt"
expect_eq "noticedelay: no answer before the pause ends (curl 28)" "$?" "28"
expect_eq "noticedelay: bad value refused" "$(curl -s -o /dev/null -w '%{http_code}' "$B/__control/set?noticedelay=x")" "400"
curl -s "$B/__control/set?noticedelay=0" >/dev/null
curl -s "$B/__control/set?notice=none&charset=gbk&noticekey=&noticecount=2" >/dev/null
expect_eq "notice picture 200" "$(get "$B/notice/tovpic.png")" "200"
expect_eq "notice picture is a PNG" "$(head -c 8 "$WORK/body" | od -An -tx1 | tr -d ' \n')" "89504e470d0a1a0a"
expect_eq "notice picture type" "$(header Content-Type)" "image/png"
if command -v identify >/dev/null; then
    expect_eq "notice picture decodes" "$(identify -format '%wx%h' "$WORK/body" 2>/dev/null)" "75x80"
fi
expect_eq "notice detail page 200" "$(get "$B/notice/detail.htm")" "200"

# ---------------------------------------------------------------------------------
section "login bridge"
JAR="$WORK/cookies"
for prov in qzone:oauth2.0/authorize weibo:oauth2/authorize weixin:connect/qrconnect; do
    name=${prov%%:*}
    expect_eq "$name: redirect answers 302" "$(get "$B/$name/redirectToAuthorize.do?params=tov")" "302"
    LOC=$(header Location)
    check "$name: redirect goes to the stand-in provider" contains "$LOC" "$B/${prov#*:}?"
    expect_eq "$name: provider page 200" "$(get "$LOC")" "200"
    GRANT=$(grep -o 'id="authorize" href="[^"]*"' "$WORK/body" | sed 's/.*href="//; s/"$//; s/&amp;/\&/g')
    case $name in
        weibo) check "$name: callback address" contains "$GRANT" "$B/weibo/callback.do?state=" ;;
        *) check "$name: callback address" contains "$GRANT" "$B/$name/callback.do?code=" ;;
    esac
    rm -f "$JAR"
    expect_eq "$name: callback 200" "$(get -c "$JAR" "$GRANT")" "200"
    check "$name: callback shows 登录成功" grep -q "登录成功" "$WORK/body"
    check "$name: callback sets Pauth" grep -q "Pauth" "$JAR"
done
rm -f "$JAR"
get -c "$JAR" "$B/qzone/callback.do?error=access_denied&state=tov" >/dev/null
check "callback without a code sets no cookie" eval '! grep -q Pauth "$JAR" && ! grep -q "登录成功" "$WORK/body"'
rm -f "$JAR"
get -c "$JAR" "$B/qzone/extAutoBind.do" >/dev/null
check "extAutoBind sets Pauth" grep -q Pauth "$JAR"
curl -s -L -c "$JAR" -o "$WORK/body" "$B/weixin/redirectToAuthorize.do?params=tov"
check "redirect followed ends on the provider page" grep -q "微信账号授权" "$WORK/body"

# ---------------------------------------------------------------------------------
section "connection-check listener"
CHECK="http://127.0.0.1:$CPORT/"
expect_eq "check port answers" "$(curl -s -o /dev/null -w '%{http_code}' "$CHECK")" "200"
check "network down" contains "$(curl -s "$B/__control/network?up=0")" '"network":"down"'
curl -s -o /dev/null "$CHECK"
expect_eq "check port refuses connections (curl 7)" "$?" "7"
expect_eq "main listener still up" "$(curl -s -o /dev/null -w '%{http_code}' "$B/webgame.htm")" "200"
check "network up" contains "$(curl -s "$B/__control/network?up=1")" '"network":"up"'
expect_eq "check port answers again" "$(curl -s -o /dev/null -w '%{http_code}' "$CHECK")" "200"
expect_eq "network?up=x is refused" "$(get "$B/__control/network?up=x")" "400"

# ---------------------------------------------------------------------------------
section "misbehaving endpoints"
expect_eq "/test/404" "$(get "$B/test/404")|$(cat "$WORK/body")|$(header Content-Length)" "404|test 404 body|14"
expect_eq "/test/500" "$(get "$B/test/500")|$(cat "$WORK/body")|$(header Content-Length)" "500|test 500 body|14"
expect_eq "/test/chunked: 200" "$(get "$B/test/chunked")" "200"
expect_eq "/test/chunked: chunked" "$(header Transfer-Encoding)" "chunked"
expect_eq "/test/chunked: no Content-Length" "$(header Content-Length)" ""
expect_eq "/test/chunked: body" "$(cat "$WORK/body" | tr '\n' ' ')" "chunk one chunk two chunk three "
get "$B/test/chunked" -H "Accept-Encoding: gzip" >/dev/null
expect_eq "/test/chunked: never compressed" "$(header Content-Encoding)" ""

curl -s -o "$WORK/short" -D "$WORK/hdr" "$B/test/short"
expect_eq "/test/short: transfer closed early (curl 18)" "$?" "18"
expect_eq "/test/short: announces 1000" "$(header Content-Length)" "1000"
expect_eq "/test/short: 300 bytes arrive" "$(wc -c <"$WORK/short" | tr -d ' ')" "300"
curl -s -o /dev/null "$B/test/drop"
expect_eq "/test/drop: empty reply (curl 52)" "$?" "52"

for n in 1023 1024; do
    get "$B/test/text$n" -H "Accept-Encoding: gzip" >/dev/null
    expect_eq "/test/text$n: size and Content-Length" "$(body_size)/$(header Content-Length)" "$n/$n"
    check "/test/text$n: plain ASCII" eval '! LC_ALL=C grep -q "[^ -~]" <(tr -d "\n" <"$WORK/body")'
done

get "$B/test/slow?bytes=3000&ms=20&piece=700" >/dev/null
expect_eq "/test/slow: whole body" "$(body_size)/$(header Content-Length)" "3000/3000"
get "$B/test/sized?bytes=3000" >/dev/null
cp "$WORK/body" "$WORK/sized3000"
get "$B/test/slow?bytes=3000&ms=20&piece=700" >/dev/null
check "/test/slow: same bytes as /test/sized" cmp -s "$WORK/body" "$WORK/sized3000"
curl -s -o "$WORK/slow" --max-time 1 "$B/test/slow?bytes=100000&ms=200&piece=1000"
expect_eq "/test/slow: a client can give up midway (curl 28)" "$?" "28"
check "/test/slow: only part arrived" eval '[ "$(wc -c <"$WORK/slow")" -gt 0 ] && [ "$(wc -c <"$WORK/slow")" -lt 100000 ]'

expect_eq "/test/late: answers 200 after its pause" "$(get "$B/test/late?ms=300")/$(cat "$WORK/body")" "200/late"
curl -s -o /dev/null --max-time 0.5 "$B/test/late?ms=5000"
expect_eq "/test/late: nothing before the pause ends (curl 28)" "$?" "28"

get "$B/test/sized?bytes=1000003" >/dev/null
expect_eq "/test/sized: size and Content-Length" "$(body_size)/$(header Content-Length)" "1000003/1000003"
expect_eq "/test/sized: pattern starts 0,1,2" "$(od -An -tu1 -N4 "$WORK/body" | tr -s ' ')" " 0 1 2 3"
expect_eq "/test/sized: pattern wraps at 251" "$(od -An -tu1 -j250 -N3 "$WORK/body" | tr -s ' ')" " 250 0 1"
check "/test/sized: prefix-consistent" cmp -s "$WORK/sized3000" <(head -c 3000 "$WORK/body")
head -c 65536 "$WORK/body" >"$WORK/a"; tail -c +$((251 * 261 + 1)) "$WORK/body" | head -c 65536 >"$WORK/b"
check "/test/sized: period 251 across pieces" cmp -s "$WORK/a" "$WORK/b"
expect_eq "/test/sized: 64 MiB accepted" "$(curl -s -I "$B/test/sized?bytes=67108864" | grep -i '^Content-Length' | tr -d '\r' | cut -d' ' -f2)" "67108864"
expect_eq "/test/sized: more than 64 MiB refused" "$(get "$B/test/sized?bytes=67108865")" "400"
expect_eq "/test/sized: bad number refused" "$(get "$B/test/sized?bytes=12x")" "400"

# The record saw the misbehaving requests too, in order.
check "record kept the misbehaving requests" contains "$(curl -s "$B/__control/requests?path=/test/drop")" '"path":"/test/drop"'

# ---------------------------------------------------------------------------------
section "faults on a path"
# The path's own answer, misshapen; the path's neighbours and the record unaffected.
curl -s "$B/__control/set?notice=text&noticecount=2" >/dev/null
curl -s -o "$WORK/notice.real" "$B/notice/tov.txt"
REAL_SIZE=$(wc -c <"$WORK/notice.real" | tr -d ' ')
fault() { curl -s -o /dev/null -w '%{http_code}' "$B/__control/fault?$1"; }
expect_eq "fault: a bad mode is refused" "$(fault 'path=/notice/tov.txt&mode=slowly')" "400"
expect_eq "fault: a control path is refused" "$(fault 'path=/__control/state&mode=404')" "400"
expect_eq "fault: a relative path is refused" "$(fault 'path=notice&mode=404')" "400"
expect_eq "fault: a bad gap changes nothing" "$(fault 'path=/notice/tov.txt&mode=hang&gap=x')" "400"
expect_eq "fault: still none after refusals" "$(curl -s "$B/__control/state" | grep -o '"faults":{}')" '"faults":{}'
curl -s "$B/__control/reset" >/dev/null

fault 'path=/notice/tov.txt&mode=404' >/dev/null
expect_eq "fault 404" "$(get "$B/notice/tov.txt")" "404"
expect_eq "fault 404: other paths behave" "$(get "$B/active.htm")" "200"
fault 'path=/notice/tov.txt&mode=500' >/dev/null
expect_eq "fault 500" "$(get "$B/notice/tov.txt")" "500"
fault 'path=/notice/tov.txt&mode=nolength' >/dev/null
get "$B/notice/tov.txt" >/dev/null
expect_eq "fault nolength: no Content-Length" "$(header Content-Length)" ""
expect_eq "fault nolength: no chunks either" "$(header Transfer-Encoding)" ""
check "fault nolength: the whole answer" cmp -s "$WORK/body" "$WORK/notice.real"
fault 'path=/notice/tov.txt&mode=chunked' >/dev/null
get "$B/notice/tov.txt" >/dev/null
expect_eq "fault chunked: chunked" "$(header Transfer-Encoding)" "chunked"
check "fault chunked: the whole answer" cmp -s "$WORK/body" "$WORK/notice.real"
fault 'path=/notice/tov.txt&mode=short' >/dev/null
curl -s -o "$WORK/body" -D "$WORK/hdr" "$B/notice/tov.txt"
expect_eq "fault short: closed early (curl 18)" "$?" "18"
expect_eq "fault short: announces the whole" "$(header Content-Length)" "$REAL_SIZE"
expect_eq "fault short: half arrives" "$(body_size)" "$((REAL_SIZE / 2))"
fault 'path=/notice/tov.txt&mode=drop' >/dev/null
curl -s -o "$WORK/body" "$B/notice/tov.txt"
expect_eq "fault drop: reset mid-body (curl 56)" "$?" "56"
fault 'path=/notice/tov.txt&mode=down' >/dev/null
curl -s -o /dev/null "$B/notice/tov.txt"
expect_eq "fault down: no answer at all (curl 52)" "$?" "52"
fault 'path=/notice/tov.txt&mode=trickle&gap=1500' >/dev/null
curl -s -o "$WORK/body" -D "$WORK/hdr" -m 2 "$B/notice/tov.txt"
expect_eq "fault trickle: still coming after 2 s (curl 28)" "$?" "28"
expect_eq "fault trickle: headers at once" "$(header Content-Length)" "$REAL_SIZE"
check "fault trickle: a byte per gap, far from the whole" test "$(body_size)" -ge 1 -a "$(body_size)" -le 2
fault 'path=/notice/tov.txt&mode=hang' >/dev/null
curl -s -o /dev/null -m 1 "$B/notice/tov.txt"
expect_eq "fault hang: no answer within 1 s (curl 28)" "$?" "28"
check "fault: the state lists it" contains "$(curl -s "$B/__control/state")" '"faults":{"/notice/tov.txt":"hang"}'
# Lifting the fault ends a hang at once; the path behaves again.
curl -s -o /dev/null -m 20 "$B/notice/tov.txt" &
HANG_PID=$!
sleep 0.3
fault 'path=/notice/tov.txt&mode=none' >/dev/null
HANG_START=$SECONDS
wait "$HANG_PID"
check "fault hang: lifted, the waiting request ends" test $((SECONDS - HANG_START)) -lt 5
get "$B/notice/tov.txt" >/dev/null
check "fault lifted: the whole answer again" cmp -s "$WORK/body" "$WORK/notice.real"
expect_eq "fault: every faulted request was recorded" \
    "$(curl -s "$B/__control/requests?path=/notice/tov.txt" | grep -c '"path":"/notice/tov.txt"')" "11"

fault 'listener=check&mode=500' >/dev/null
expect_eq "fault on the check listener" "$(get "http://127.0.0.1:$CPORT/")" "500"
expect_eq "fault: clear lifts all" "$(curl -s "$B/__control/fault?clear=1" | grep -o '"faults":{}')" '"faults":{}'
expect_eq "check listener behaves again" "$(get "http://127.0.0.1:$CPORT/")" "200"
curl -s "$B/__control/set?notice=none&noticecount=2" >/dev/null

# ---------------------------------------------------------------------------------
section "shutdown"
# A slow transfer in progress must not hold up the end.
curl -s -o /dev/null "$B/test/slow?bytes=1000000&ms=500&piece=1000" &
CURL_PID=$!
sleep 0.3
kill -TERM "$PID"
for _ in $(seq 1 100); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$PID" 2>/dev/null; then
    bad "SIGTERM ends the service" "still running after 10 s"
else
    wait "$PID"
    expect_eq "SIGTERM ends the service with 0" "$?" "0"
fi
PID=""
wait "$CURL_PID" 2>/dev/null

section "no client known"
# Without --client-exe (and no key override) nothing is published in mode none.
for _ in 1 2 3 4 5 6 7 8; do
    PORT2=$((20000 + RANDOM % 40000))
    port_free "$PORT2" && port_free $((PORT2 + 1)) || continue
    start_service "$WORK/ds2" --port "$PORT2" && break
    PID=""
done
if [ -n "$PID" ]; then
    expect_eq "no client: version file 404" \
        "$(curl -s -o /dev/null -w '%{http_code}' "http://127.0.0.1:$PORT2/update/ConfigTov.htm")" "404"
    curl -s "http://127.0.0.1:$PORT2/__control/set?key=00000000000000000000000000003001" >/dev/null
    expect_eq "no client, key override: served" \
        "$(curl -s "http://127.0.0.1:$PORT2/update/ConfigTov.htm" | grep -c '^Tov=00000000000000000000000000003001')" "1"
    kill -TERM "$PID"; wait "$PID" 2>/dev/null; PID=""
else
    bad "no client: service starts" "could not start a second service"
fi

# ---------------------------------------------------------------------------------
echo
if [ "$FAIL" -eq 0 ]; then
    echo "devservice tests: $PASS passed, 0 failed"
    exit 0
fi
echo "devservice tests: $PASS passed, $FAIL failed:"
for n in "${FAILED_NAMES[@]}"; do echo "  - $n"; done
exit 1
