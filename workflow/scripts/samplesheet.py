"""The sample sheet: a tab-separated file with the header "id<TAB>files"."""
import os
import re

ID_PATTERN = re.compile(r"^[A-Za-z0-9_.-]+$")


class SheetError(Exception):
    pass


def read(path):
    """Returns {id: [absolute file, ...]} in the order of the sheet. File
    names are relative to the sheet's folder unless absolute. A sheet that
    cannot be used as a whole (header, duplicate or unsafe ids, a row without
    files) raises SheetError naming the line; a file that does not exist is
    left to the genome's own job, so it fails alone."""
    folder = os.path.dirname(os.path.abspath(path))
    try:
        with open(path, encoding="utf-8") as sheet:
            lines = sheet.read().splitlines()
    except OSError as e:
        raise SheetError(f"cannot read the sample sheet {path}: {e.strerror}")
    if not lines or lines[0].strip().split("\t") != ["id", "files"]:
        raise SheetError(f"{path}:1: the header must be 'id<TAB>files'")
    samples = {}
    for number, line in enumerate(lines[1:], start=2):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 2:
            raise SheetError(f"{path}:{number}: expected 2 tab-separated columns, found {len(fields)}")
        genome, files = fields[0].strip(), fields[1].split()
        if not ID_PATTERN.match(genome) or genome in (".", ".."):
            raise SheetError(f"{path}:{number}: the id '{genome}' may hold only letters, digits, '_', '.' and '-'")
        if genome in samples:
            raise SheetError(f"{path}:{number}: the id '{genome}' appears twice")
        if not files:
            raise SheetError(f"{path}:{number}: genome '{genome}' names no files")
        samples[genome] = [os.path.normpath(os.path.join(folder, f)) for f in files]
    if not samples:
        raise SheetError(f"{path}: the sample sheet lists no genome")
    return samples
