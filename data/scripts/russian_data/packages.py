"""Fetching the Debian packages the data is derived from, and reading single
files out of them without installing anything."""

import fcntl
import glob
import os
import subprocess
import sys
import tarfile


def fetch(package, cache_dir):
    """The path of the package's .deb in cache_dir, downloaded with apt-get
    when no copy is there yet. Other build steps share the cache: the lock
    file ".<package>.lock" in it keeps them from downloading at once."""
    os.makedirs(cache_dir, exist_ok=True)
    pattern = os.path.join(cache_dir, package + "_*.deb")
    with open(os.path.join(cache_dir, f".{package}.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if not glob.glob(pattern):
            print(f"Downloading {package} into {cache_dir}", flush=True)
            result = subprocess.run(["apt-get", "download", package], cwd=cache_dir)
            if result.returncode != 0 or not glob.glob(pattern):
                sys.exit(f"Cannot download the Debian package {package}; "
                         "run 'apt-get update' and try again.")
    return sorted(glob.glob(pattern))[-1]


def extract(deb, members, target_dir):
    """Extracts the named files (paths inside the package, without the
    leading "./") into target_dir, keeping their paths. Returns a map from
    member path to extracted file path; exits when one is missing."""
    wanted = set(members)
    extracted = {}
    process = subprocess.Popen(["dpkg-deb", "--fsys-tarfile", deb], stdout=subprocess.PIPE)
    with tarfile.open(fileobj=process.stdout, mode="r|") as archive:
        for member in archive:
            name = member.name[2:] if member.name.startswith("./") else member.name
            if name not in wanted or not member.isfile():
                continue
            target = os.path.join(target_dir, name)
            os.makedirs(os.path.dirname(target), exist_ok=True)
            source = archive.extractfile(member)
            with open(target, "wb") as out:
                out.write(source.read())
            extracted[name] = target
    process.stdout.close()
    if process.wait() != 0:
        sys.exit(f"dpkg-deb cannot read {deb}")
    missing = wanted - set(extracted)
    if missing:
        sys.exit(f"{deb} lacks " + ", ".join(sorted(missing)))
    return extracted


def fetch_files(package, members, cache_dir, work_dir):
    """The named files of the package, extracted once into work_dir (again
    only when the .deb is newer than what was extracted)."""
    deb = fetch(package, cache_dir)
    target_dir = os.path.join(work_dir, package)
    paths = {name: os.path.join(target_dir, name) for name in members}
    fresh = all(os.path.exists(p) and os.path.getmtime(p) >= os.path.getmtime(deb)
                for p in paths.values())
    if not fresh:
        extract(deb, members, target_dir)
    return paths
