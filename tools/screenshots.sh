#!/bin/bash
# Retakes the README's screenshots: starts Mako under Xvfb on a prepared data folder, opens a
# request against a loopback server, sends it and photographs the window, once in the light and
# once in the dark appearance.
#
#   tools/screenshots.sh [BUILD_DIR]      (default: build; writes docs/screenshots/*.png)
#
# Needs xvfb-run, xdotool, imagemagick's import and python3.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out=$root/docs/screenshots
for tool in xvfb-run xdotool import python3; do
    command -v $tool >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'kill $server 2>/dev/null || true; rm -rf "$work"' EXIT

# A small JSON API on the loopback interface.
cat > "$work/server.py" <<'PY'
import http.server, json, sys
USERS = [{"id": i, "name": n, "email": n.lower().replace(" ", ".") + "@example.com",
          "role": r, "active": i % 3 != 0}
         for i, (n, r) in enumerate([("Ada Lovelace", "admin"), ("Alan Turing", "editor"),
                                     ("Grace Hopper", "editor"), ("Edsger Dijkstra", "viewer"),
                                     ("Barbara Liskov", "viewer")], start=1)]
class Handler(http.server.BaseHTTPRequestHandler):
    def reply(self, status, body):
        data = json.dumps(body).encode()
        self.send_response(status)
        self.send_header("Content-Type", "application/json; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Set-Cookie", "session=4f9a2c; Path=/; HttpOnly")
        self.end_headers()
        self.wfile.write(data)
    def do_GET(self):
        self.reply(200, {"data": USERS, "page": 1, "total": len(USERS)})
    def do_POST(self):
        self.reply(201, {"id": 6, "created": True})
    def log_message(self, *args):
        pass
server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
PY
python3 "$work/server.py" > "$work/port" &
server=$!
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
port=$(cat "$work/port")

# The data: a collection with folders and an environment, imported the way a user would.
cat > "$work/collection.json" <<JSON
{"info": {"name": "Acme API", "schema": "https://schema.getpostman.com/json/collection/v2.1.0/collection.json"},
 "item": [
  {"name": "Users", "item": [
    {"name": "List users", "request": {"method": "GET", "url": "{{baseUrl}}/users?page=1",
      "header": [{"key": "Accept", "value": "application/json"}]}},
    {"name": "Create user", "request": {"method": "POST", "url": "{{baseUrl}}/users",
      "header": [{"key": "Content-Type", "value": "application/json"}],
      "body": {"mode": "raw", "raw": "{\"name\": \"Katherine Johnson\", \"role\": \"editor\"}"}}}]},
  {"name": "Health", "request": {"method": "GET", "url": "{{baseUrl}}/health"}}]}
JSON
cat > "$work/environment.json" <<JSON
{"name": "Local", "values": [{"key": "baseUrl", "value": "http://127.0.0.1:$port", "enabled": true}]}
JSON
export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
data=$XDG_DATA_HOME/com.quorin.mako
mkdir -p "$data" "$XDG_CONFIG_HOME/com.quorin.mako"
"$build/src/cli/mako-cli" import --data-dir "$data" "$work/collection.json" >/dev/null
"$build/src/cli/mako-cli" import --data-dir "$data" "$work/environment.json" >/dev/null
# An imported environment starts inactive; the user would pick it in the toolbar.
python3 - "$data/environments.json" <<'PY'
import json, sys
environments = json.load(open(sys.argv[1]))
for environment in environments:
    environment["isActive"] = environment["name"] == "Local"
json.dump(environments, open(sys.argv[1], "w"))
PY

cp -a "$data" "$work/pristine"

mkdir -p "$out"
for appearance in light dark; do
    # Each picture starts from the same data.
    rm -rf "$data" && cp -a "$work/pristine" "$data"
    printf '[General]\nappearance=%s\n' $appearance \
        > "$XDG_CONFIG_HOME/com.quorin.mako/com.quorin.mako.conf"
    xvfb-run -a -s "-screen 0 1400x900x24" bash -c '
        set -e
        "$0/src/app/mako" & mako=$!
        for _ in $(seq 100); do
            window=$(xdotool search --onlyvisible --name "^Mako$" 2>/dev/null | head -1 || true)
            [ -n "$window" ] && break; sleep 0.1
        done
        sleep 1
        xdotool windowfocus --sync $window
        # The environment, then the request through Quick Open, then send it.
        xdotool key --delay 80 ctrl+p; sleep 0.5
        xdotool type --delay 40 "List users"; sleep 0.3
        xdotool key Return; sleep 0.8
        xdotool key ctrl+Return; sleep 4
        import -window $window "$1"
        kill $mako; wait $mako || true
    ' "$build" "$out/main-$appearance.png"
done
echo "screenshots written to $out"
