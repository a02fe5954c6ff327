#!/usr/bin/python3
"""A stand-in for the web site's scripts, set as the Wine prefix's browser: given the address of
"AdditionArchive.php", it makes the race's folder (the race key without its "C<n>-") below the
web event's folder of the FTP area after a delay; of "CreationEvent.php", the new web event's
folder. Every address it is given is appended to a log.

Usage: archive_script.py --root DIR --delay SECONDS --log FILE ADDRESS
"""

import argparse
import os
import re
import time
import urllib.parse


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--delay", type=float, default=3.0)
    parser.add_argument("--log", required=True)
    parser.add_argument("address")
    args = parser.parse_args()
    with open(args.log, "a", encoding="utf-8") as log:
        log.write(args.address + "\n")
    address = urllib.parse.urlsplit(args.address)
    values = dict(urllib.parse.parse_qsl(address.query, keep_blank_values=True))
    area = os.path.join(args.root, "public_html", "ZentrikRiduduzud")
    if address.path.endswith("AdditionArchive.php"):
        race = re.sub(r"^C\d+-", "", values.get("race", ""))
        folder = os.path.join(area, values.get("country", ""), values.get("event", ""), race)
    elif address.path.endswith("CreationEvent.php"):
        folder = os.path.join(area, values.get("payssaisie", ""), values.get("eventsaisie", ""))
    else:
        return
    if args.delay < 0:
        return  # the site never answers
    time.sleep(args.delay)
    os.makedirs(folder, exist_ok=True)


if __name__ == "__main__":
    main()
