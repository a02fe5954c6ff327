#!/usr/bin/env python3
"""Makes the wave files of the data folder's "sons/" folder.

Announcements are spoken by espeak-ng, in French, or in English for the files whose name ends in
"GB"; the signals (beep, buzz, bell, horns, jingles) are synthesised by sox. Every file is 16-bit
mono PCM at 22050 Hz, which any wave player takes.
"""

import argparse
import concurrent.futures
import os
import subprocess
import sys
import tempfile

RATE = "22050"

# File name (without ".wav") -> (French text, English text); the English file adds "GB".
ANNOUNCEMENTS = {
    "60minutes": ("Soixante minutes", "Sixty minutes"),
    "30minutes": ("Trente minutes", "Thirty minutes"),
    "15minutes": ("Quinze minutes", "Fifteen minutes"),
    "5minutes": ("Cinq minutes", "Five minutes"),
    "2minutes": ("Deux minutes", "Two minutes"),
    "1minute": ("Une minute", "One minute"),
    "30secondes": ("Trente secondes", "Thirty seconds"),
    "10secondes": ("Dix secondes", "Ten seconds"),
    "cinq": ("Cinq", "Five"),
    "quatre": ("Quatre", "Four"),
    "trois": ("Trois", "Three"),
    "deux": ("Deux", "Two"),
    "un": ("Un", "One"),
    "miCourse": ("Mi-course", "Half time"),
}
# The transponder scan announces slot k, the finish of slot k is announced as it comes.
for k in range(1, 51):
    ANNOUNCEMENTS[str(k)] = (str(k), str(k))
    ANNOUNCEMENTS[f"FinCourse{k}"] = (f"Fin de course, numéro {k}", f"Finish, number {k}")
# English only: the race clock's five minutes left.
ENGLISH_ONLY = {"5minutesRace": "Five minutes remaining"}


def speak(espeak, voice, text, path):
    subprocess.run([espeak, "-v", voice, "-s", "150", "-w", path, text], check=True,
                   capture_output=True)


def sox(tool, args):
    subprocess.run([tool, *args], check=True, capture_output=True)


def mixed(tones):
    """Options of a synthesis of several tones, one per channel, mixed down to one channel."""
    return ["-r", RATE, "-c", str(tones), "-n", "-c", "1", "-b", "16"]


def note(tool, path, seconds, *tones, gain="-6"):
    """One or more tones played together, with a short fade in and a fade out."""
    effects = ["synth", str(seconds)]
    for tone in tones:
        effects += tone.split()
    if len(tones) > 1:
        effects += ["remix", "-"]
    effects += ["fade", "q", "0.005", str(seconds), str(min(0.05, seconds / 3)), "gain", gain]
    sox(tool, [*mixed(len(tones)), path, *effects])


def jingle(tool, path, notes, workdir):
    """A melody: (seconds, frequency or 0 for a rest) in turn."""
    parts = []
    for i, (seconds, frequency) in enumerate(notes):
        part = os.path.join(workdir, f"{os.path.basename(path)}.{i}.wav")
        if frequency:
            note(tool, part, seconds, f"sine {frequency}", f"sine {2 * frequency}", gain="-9")
        else:
            sox(tool, ["-r", RATE, "-n", "-c", "1", "-b", "16", part, "trim", "0", str(seconds)])
        parts.append(part)
    sox(tool, [*parts, path])


def signals(tool, out, workdir):
    def at(name):
        return os.path.join(out, name)

    # A passing: short and high.
    note(tool, at("beep1.wav"), 0.12, "sine 1760")
    # A lap refused or a scan out of order: low and rough.
    note(tool, at("buzz.wav"), 0.45, "square 110", "square 116", gain="-14")
    # Two laps to go: a struck bell, its partials dying away.
    sox(tool, [*mixed(3), at("cloche.wav"), "synth", "2.2", "sine", "1046", "sine", "2093",
               "sine", "2794", "remix", "-", "fade", "l", "0.002", "2.2", "2.1", "gain", "-8"])
    # The start and the time up: a deep horn with a slow beat.
    sox(tool, [*mixed(2), at("foghorn.wav"), "synth", "2.0", "sawtooth", "98", "sawtooth",
               "99.5", "remix", "-", "lowpass", "600", "tremolo", "5", "30", "fade", "q", "0.15",
               "2.0", "0.5", "gain", "-4"])
    # The end of the series: a two-tone air horn.
    sox(tool, [*mixed(2), at("truckhorn.wav"), "synth", "1.6", "square", "311", "square", "392",
               "remix", "-", "lowpass", "1500", "fade", "q", "0.03", "1.6", "0.2", "gain", "-12"])
    # The end of a rest or of a scan: a short chime.
    jingle(tool, at("nokia-sms.wav"),
           [(0.09, 1319), (0.04, 0), (0.09, 1319), (0.04, 0), (0.22, 1760)], workdir)
    # A new best lap: a rising fanfare.
    jingle(tool, at("youpi.wav"),
           [(0.1, 523), (0.1, 659), (0.1, 784), (0.3, 1047)], workdir)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("out", help="the sons/ folder to fill")
    parser.add_argument("--espeak-ng", default="espeak-ng")
    parser.add_argument("--sox", default="sox")
    parser.add_argument("--stamp", help="touched once every file is written")
    args = parser.parse_args()

    os.makedirs(args.out, exist_ok=True)
    jobs = []
    for name, (french, english) in ANNOUNCEMENTS.items():
        jobs.append(("fr", french, os.path.join(args.out, name + ".wav")))
        jobs.append(("en-gb", english, os.path.join(args.out, name + "GB.wav")))
    for name, english in ENGLISH_ONLY.items():
        jobs.append(("en-gb", english, os.path.join(args.out, name + "GB.wav")))

    try:
        with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 4) as pool:
            futures = [pool.submit(speak, args.espeak_ng, *job) for job in jobs]
            with tempfile.TemporaryDirectory() as workdir:
                signals(args.sox, args.out, workdir)
            for future in futures:
                future.result()
    except subprocess.CalledProcessError as error:
        sys.exit(f"sounds: {' '.join(error.cmd)} failed: {error.stderr.decode()}")
    if args.stamp:
        with open(args.stamp, "w"):
            pass


if __name__ == "__main__":
    main()
