#!/usr/bin/env python3
"""CPU share of the real program at rest and during a simulated brew.

Starts its own Xvfb, then the program binary with --ordner on a scratch folder
that holds a Kesselwerk.cfg (output interface 5: nothing is written to a
device) and a stand-in DigiTemp tool that logs 21.44 °C on every run. The
driver library bench_ruhe_fahrer (LD_PRELOAD) presses OK on the settings
screen and, for the brew, enters a two-phase mash, switches the simulation on
and presses START. From its "bereit" on, the program's own CPU time (utime +
stime in /proc/PID/stat, and the nanoseconds of /proc/PID/schedstat) is read
over the measuring time. The children (the stand-in tool) are counted apart.

  bench/bench_ruhe.py BUILD_DIR [seconds=60] [ruhe|brauen|beide] [mqtt]

With "mqtt" every mode is measured twice: MQTT off, and MQTT on against a
Mosquitto broker that the benchmark starts on a free loopback port (the
program's Kesselwerk.ini names it).

With KW_RUHE_PERF=FILE set, perf records the measuring time into FILE.<mode>.
KW_FAHRER_FOTO=FILE.png saves the main screen 3 s after "bereit" and lists the
open windows on stderr; KW_FAHRER_MALEN=S counts paints and timer events over
S seconds of the measuring time (both on stderr).
"""

import os
import select
import socket
import signal
import subprocess
import sys
import tempfile
import time

FALSCHE_DIGITEMP = r"""#!/bin/sh
log=
init=0
for a in "$@"; do
  case "$a" in
    -i) init=1 ;;
    -l*) log=${a#-l} ;;
  esac
done
hier=$(dirname "$0")
if [ $init = 1 ]; then
  printf '%s\n' "$log" > "$hier/.logname"
  exit 0
fi
log=$(cat "$hier/.logname")
echo 21.44 >> "$log"
"""

KONFIGURATION = ["digitemp_fake", "templog", "5", "", "1", "",
                 "Extra1 Ein", "Extra1 Aus", "Extra2 Ein", "Extra2 Aus",
                 "Extra3 Ein", "Extra3 Aus", "Extra4 Ein", "Extra4 Aus",
                 "1", "2", "1"]

TAKT = os.sysconf("SC_CLK_TCK")


def stat(pid):
    with open(f"/proc/{pid}/stat") as f:
        felder = f.read().rsplit(")", 1)[1].split()
    # after the name: state is field 3, utime 14, stime 15, cutime 16, cstime 17
    utime, stime, cutime, cstime = (int(felder[i - 3]) for i in (14, 15, 16, 17))
    with open(f"/proc/{pid}/schedstat") as f:
        ns = int(f.read().split()[0])
    return utime + stime, cutime + cstime, ns


def xvfb_starten():
    lesen, schreiben = os.pipe()
    groesse = os.environ.get("KW_RUHE_BILDSCHIRM", "1280x800")   # e.g. 2048x1280 with QT_SCALE_FACTOR=1.5
    x = subprocess.Popen(["Xvfb", "-displayfd", str(schreiben), "-screen", "0", groesse + "x24", "-nolisten", "tcp"],
                         pass_fds=(schreiben,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(schreiben)
    nummer = b""
    while not nummer.endswith(b"\n"):
        stueck = os.read(lesen, 16)
        if not stueck:
            raise RuntimeError("Xvfb did not start")
        nummer += stueck
    os.close(lesen)
    return x, ":" + nummer.decode().strip()


def broker_starten(ordner):
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    conf = os.path.join(ordner, "mosquitto.conf")
    with open(conf, "w") as f:
        f.write(f"listener {port} 127.0.0.1\nallow_anonymous true\npersistence false\n")
        if os.geteuid() == 0:
            f.write("user root\n")
    b = subprocess.Popen(["mosquitto", "-c", conf], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    ende = time.monotonic() + 5
    while time.monotonic() < ende:
        try:
            socket.create_connection(("127.0.0.1", port), 0.2).close()
            return b, port
        except OSError:
            time.sleep(0.05)
    raise RuntimeError("mosquitto did not start")


def messen(build, sekunden, modus, mqtt=False):
    programm = os.path.join(build, "src", "app", "kesselwerk")
    fahrer = os.path.join(build, "bench", "libbench_ruhe_fahrer.so")
    with tempfile.TemporaryDirectory(prefix="kw_ruhe_") as ordner:
        with open(os.path.join(ordner, "Kesselwerk.cfg"), "w", newline="") as f:
            f.write("".join(z + "\r\n" for z in KONFIGURATION))
        broker = None
        if mqtt:
            broker, port = broker_starten(ordner)
            with open(os.path.join(ordner, "Kesselwerk.ini"), "w") as f:
                f.write(f"[MQTT]\r\nEin=1\r\nHost=127.0.0.1\r\nPort={port}\r\n")
        werkzeug = os.path.join(ordner, "digitemp_fake")
        with open(werkzeug, "w") as f:
            f.write(FALSCHE_DIGITEMP)
        os.chmod(werkzeug, 0o755)

        x, anzeige = xvfb_starten()
        env = dict(os.environ, DISPLAY=anzeige, LD_PRELOAD=fahrer, KW_FAHRER=modus, LC_ALL="C.UTF-8",
                   QT_QPA_PLATFORM="xcb")
        env.pop("WAYLAND_DISPLAY", None)
        p = subprocess.Popen([programm, "--ordner", ordner], env=env, stdout=subprocess.PIPE,
                             stderr=None if os.environ.get("KW_FAHRER_MALEN") else subprocess.DEVNULL, text=True)
        try:
            ende = time.monotonic() + 30
            zeile = ""
            while time.monotonic() < ende:
                if not select.select([p.stdout], [], [], 1)[0]:
                    continue
                zeile = p.stdout.readline()
                if not zeile or zeile.startswith("KW_FAHRER"):
                    break
            if zeile.strip() != "KW_FAHRER bereit":
                raise RuntimeError(f"the driver did not get ready: {zeile.strip()!r}")
            # The settings notice hides 15 s after OK; let the first reading runs settle.
            time.sleep(20)
            profil = None
            if os.environ.get("KW_RUHE_PERF"):
                # Optional profile of the measuring time: perf report -i <file>
                profil = subprocess.Popen(["perf", "record", "--call-graph", "dwarf", "-F", "4999", "-p", str(p.pid), "-o",
                                           os.environ["KW_RUHE_PERF"] + "." + modus],
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            t0, k0, n0 = stat(p.pid)
            w0 = time.monotonic()
            time.sleep(sekunden)
            t1, k1, n1 = stat(p.pid)
            if profil:
                profil.send_signal(signal.SIGINT)
                profil.wait()
            wand = time.monotonic() - w0
            return {
                "wand": wand,
                "stat": (t1 - t0) / TAKT / wand * 100.0,
                "sched": (n1 - n0) / 1e9 / wand * 100.0,
                "kinder": (k1 - k0) / TAKT / wand * 100.0,
            }
        finally:
            p.send_signal(signal.SIGTERM)
            try:
                p.wait(10)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
            x.terminate()
            x.wait()
            if broker:
                broker.terminate()
                broker.wait()


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    build = sys.argv[1]
    sekunden = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    art = sys.argv[3] if len(sys.argv) > 3 else "beide"
    mit_mqtt = [False, True] if len(sys.argv) > 4 and sys.argv[4] == "mqtt" else [False]
    modi = ["ruhe", "brauen"] if art == "beide" else [art]
    namen = {"ruhe": "at rest after OK, no brew", "brauen": "simulated brew running"}
    for modus in modi:
        for mqtt in mit_mqtt:
            r = messen(build, sekunden, modus, mqtt)
            zusatz = (", MQTT on (broker up)" if mqtt else ", MQTT off") if len(mit_mqtt) > 1 else ""
            print(f"{namen[modus]}{zusatz}, {r['wand']:.1f} s: {r['stat']:.3f} % of one core (/proc/PID/stat), "
                  f"{r['sched']:.3f} % (schedstat); stand-in DigiTemp runs {r['kinder']:.3f} %", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
