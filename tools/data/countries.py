#!/usr/bin/env python3
"""Writes the program's two country lists from Debian's iso-codes data.

The program shows exactly 208 countries: line n of "BaseDonnéesPays.bd" (the French name) and
line n of "paysDrapeaux/codesPays.bd" (the code, which names the flag bitmap) are one country.

Which 208: every entry of ISO 3166-1 that is
  - one of the 195 states of the United Nations (the 193 members and the two observer states, the
    Holy See and the State of Palestine), or
  - one of the 13 other entries that compete under a flag of their own at the Olympic or
    Paralympic Games: American Samoa, Aruba, Bermuda, British Virgin Islands, Cayman Islands, Cook
    Islands, Guam, Hong Kong, Puerto Rico, Taiwan, United States Virgin Islands (national Olympic
    committees) and the Faroe Islands and Macao (national Paralympic committees).
ISO 3166-1 holds 249 entries; the 41 left out are listed in LEFT_OUT below, so the selection is the
data minus that list and is checked to come to 208.

Names: the French translation of the entry's common name when iso-codes translates it (so "Corée
du Nord" rather than the official form), else the French translation of its name; a name that
does not fit the program's 34 characters gives way to the untranslated common name ("Laos") or,
without one, loses its bracketed part ("Saint-Siège").
Codes: the alpha-3 code ("FRA"): three letters fit the 4 characters of a nation code and read
well on the live board. Lines are ordered by name, accents and case aside.
Both files are Windows-1252 with CR LF line ends.
"""

import argparse
import gettext
import json
import os
import re
import sys
import unicodedata

COUNTRY_COUNT = 208
NAME_WIDTH = 34  # characters of a country name (35-byte field)

# The ISO 3166-1 entries that are neither UN states nor Olympic or Paralympic nations.
LEFT_OUT = {
    "AI", "AQ", "AX", "BL", "BQ", "BV", "CC", "CW", "CX", "EH", "FK", "GF", "GG", "GI",
    "GL", "GP", "GS", "HM", "IM", "IO", "JE", "MF", "MQ", "MS", "NC", "NF", "NU", "PF",
    "PM", "PN", "RE", "SH", "SJ", "SX", "TC", "TF", "TK", "UM", "WF", "YT", "MP",
}


class Untranslated(gettext.NullTranslations):
    """The fallback of the French catalogue: says that a text has no translation."""

    def gettext(self, message):
        raise KeyError(message)


def french(catalogue, text):
    try:
        return catalogue.gettext(text)
    except KeyError:
        return None


def french_name(catalogue, entry):
    name = None
    if "common_name" in entry:
        name = french(catalogue, entry["common_name"])
    if name is None:
        name = french(catalogue, entry["name"]) or entry["name"]
    if len(name) > NAME_WIDTH and "common_name" in entry:
        name = entry["common_name"]
    if len(name) > NAME_WIDTH:
        name = re.sub(r"\s*\(.*\)\s*$", "", name)
    if len(name) > NAME_WIDTH:
        sys.exit(f"countries: the name of {entry['alpha_2']} does not fit: {name}")
    return name


def sort_key(name):
    plain = unicodedata.normalize("NFD", name)
    plain = "".join(c for c in plain if not unicodedata.combining(c))
    return (plain.casefold(), name)


def write_lines(path, lines):
    os.makedirs(os.path.dirname(path) or ".", exist_ok=True)
    with open(path, "wb") as out:
        for line in lines:
            out.write(line.encode("cp1252") + b"\r\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--iso-json", required=True, help="iso_3166-1.json of iso-codes")
    parser.add_argument("--french-mo", required=True, help="the French iso_3166-1.mo")
    parser.add_argument("--names", required=True, help="the country names file to write")
    parser.add_argument("--codes", required=True, help="the country codes file to write")
    parser.add_argument("--flags", required=True,
                        help="a list to write of 'alpha-2 code TAB flag name' lines")
    args = parser.parse_args()

    with open(args.iso_json, encoding="utf-8") as f:
        entries = json.load(f)["3166-1"]
    with open(args.french_mo, "rb") as f:
        catalogue = gettext.GNUTranslations(f)
    catalogue.add_fallback(Untranslated())

    unknown = LEFT_OUT - {e["alpha_2"] for e in entries}
    if unknown:
        sys.exit(f"countries: iso-codes no longer knows {sorted(unknown)}")
    chosen = [e for e in entries if e["alpha_2"] not in LEFT_OUT]
    if len(chosen) != COUNTRY_COUNT:
        sys.exit(f"countries: {len(chosen)} countries chosen instead of {COUNTRY_COUNT}")

    countries = sorted(((french_name(catalogue, e), e) for e in chosen),
                       key=lambda pair: sort_key(pair[0]))
    write_lines(args.names, [name for name, _ in countries])
    write_lines(args.codes, [e["alpha_3"] for _, e in countries])
    with open(args.flags, "w", encoding="ascii") as out:
        for _, e in countries:
            out.write(f"{e['alpha_2'].lower()}\t{e['alpha_3']}\n")


if __name__ == "__main__":
    main()
