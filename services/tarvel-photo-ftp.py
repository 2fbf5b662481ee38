#!/usr/bin/python3
"""The photo upload server of tarvel-services (started and stopped by it).

An account logs in with its nick and password, which are checked by the
services over their loopback HTTP path (so the password hashes and the
failed-login limits stay in one place). A logged-in account may write one
file only: its own nick + ".jpg" in the photo folder, seen as "/" and as
"/photos". It cannot list, read, rename or delete anything. An upload goes to
a hidden temporary file first; only a complete JPEG of exactly 200 x 250
pixels replaces the photo, anything else is deleted and refused with 550.
"""

import argparse
import logging
import os
import signal
import sys
import tempfile
import urllib.parse
import urllib.request

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import DTPHandler, FTPHandler
from pyftpdlib.servers import FTPServer

PHOTO_WIDTH = 200
PHOTO_HEIGHT = 250
MAX_PHOTO_BYTES = 512 * 1024
# The only rights an account gets: change into the folder and store a file.
RIGHTS = "ew"


def jpeg_size(path):
    """(width, height) of a baseline or progressive JPEG file, None when the
    file is not a well-formed JPEG up to its first frame header."""
    try:
        with open(path, "rb") as photo:
            data = photo.read(MAX_PHOTO_BYTES + 1)
    except OSError:
        return None
    if len(data) > MAX_PHOTO_BYTES or data[:2] != b"\xff\xd8" or data[-2:] != b"\xff\xd9":
        return None
    at = 2
    while at + 4 <= len(data):
        if data[at] != 0xFF:
            return None
        marker = data[at + 1]
        if marker == 0xFF:  # fill byte
            at += 1
            continue
        if marker == 0x01 or 0xD0 <= marker <= 0xD7:  # markers without a length
            at += 2
            continue
        length = int.from_bytes(data[at + 2:at + 4], "big")
        if length < 2 or at + 2 + length > len(data):
            return None
        # SOF0..SOF15 except DHT (C4), JPG (C8) and DAC (CC).
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            if length < 7:
                return None
            height = int.from_bytes(data[at + 5:at + 7], "big")
            width = int.from_bytes(data[at + 7:at + 9], "big")
            return width, height
        if marker == 0xDA:  # scan data before any frame header
            return None
        at += 2 + length
    return None


class AccountAuthorizer(DummyAuthorizer):
    """Asks the services whether a nick and password belong to an account."""

    def __init__(self, check_url, key, folder):
        super().__init__()
        self.check_url = check_url
        self.key = key
        self.folder = folder

    def validate_authentication(self, username, password, handler):
        body = urllib.parse.urlencode({
            "nick": username, "pw": password, "key": self.key,
            "address": handler.remote_ip}).encode("ascii")
        try:
            with urllib.request.urlopen(self.check_url, body, timeout=10) as reply:
                text = reply.read().decode("latin-1")
        except (OSError, ValueError):
            raise AuthenticationFailed("Authentication failed.")
        fields = text.strip().lstrip("$").rstrip("#").split(" ")
        if len(fields) == 2 and fields[0] == "+ok":
            handler.account = fields[1]
            return
        if len(fields) >= 3 and fields[1] == "wait":
            raise AuthenticationFailed(
                "Too many failed logins; wait %s seconds." % fields[2].strip("$#"))
        raise AuthenticationFailed("Authentication failed.")

    def get_home_dir(self, username):
        return self.folder

    def has_user(self, username):
        return True

    def has_perm(self, username, perm, path=None):
        return perm in RIGHTS

    def get_perms(self, username):
        return RIGHTS

    def get_msg_login(self, username):
        return "Logged in; you may store your photo."

    def get_msg_quit(self, username):
        return "Goodbye."


class PhotoFolder(AbstractedFS):
    """The photo folder as "/" and as "/photos"; nothing else exists."""

    def ftp2fs(self, ftppath):
        path = self.ftpnorm(ftppath)
        if path == "/photos" or path.startswith("/photos/"):
            path = path[len("/photos"):] or "/"
        return os.path.normpath(os.path.join(self.root, path.lstrip("/")))


class PhotoTransfer(DTPHandler):
    """A data channel that keeps uploads small and checks the finished photo
    before the reply, so a refused photo is answered with 550, not 226."""

    def handle_read(self):
        super().handle_read()
        if self.receive and self.tot_bytes_received > MAX_PHOTO_BYTES:
            self._resp = ("552 The photo is larger than %d bytes." % MAX_PHOTO_BYTES,
                          logging.info)
            self.transfer_finished = False
            self.close()

    def close(self):
        if (not self._closed and self.receive and self.file_obj is not None
                and self._resp and self._resp[0].startswith("226")):
            self.file_obj.close()
            if not self.cmd_channel.accept_photo(self.file_obj.name):
                self._resp = ("550 The photo must be a JPEG of %d x %d pixels."
                              % (PHOTO_WIDTH, PHOTO_HEIGHT), logging.info)
        super().close()


class PhotoSession(FTPHandler):
    dtp_handler = PhotoTransfer
    abstracted_fs = PhotoFolder
    # Uploads only; and the data channel closes its file early (see
    # PhotoTransfer.close), which the sendfile probe does not expect.
    use_sendfile = False
    account = None

    def photo_path(self):
        return os.path.join(self.fs.root, self.account + ".jpg")

    def ftp_STOR(self, file, mode="w"):
        own = os.path.normcase(self.photo_path())
        if ("a" in mode or self._restart_position or
                os.path.dirname(file) != os.path.normpath(self.fs.root) or
                os.path.basename(file).lower() != os.path.basename(own).lower()):
            self._restart_position = 0
            self.respond("550 Only %s.jpg may be stored." % self.account)
            return None
        handle, temporary = tempfile.mkstemp(prefix=".upload-", dir=self.fs.root)
        os.close(handle)
        return super().ftp_STOR(temporary, mode)

    def ftp_STOU(self, line):
        self.respond("550 Only %s.jpg may be stored." % self.account)

    def accept_photo(self, temporary):
        if jpeg_size(temporary) != (PHOTO_WIDTH, PHOTO_HEIGHT):
            self._discard(temporary)
            return False
        os.chmod(temporary, 0o644)
        os.replace(temporary, self.photo_path())
        return True

    def on_incomplete_file_received(self, file):
        self._discard(file)

    @staticmethod
    def _discard(file):
        if os.path.basename(file).startswith(".upload-"):
            try:
                os.remove(file)
            except OSError:
                pass


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--listen", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--folder", required=True)
    parser.add_argument("--check", required=True, help="services URL that checks a login")
    parser.add_argument("--passive-ports", default="", help="FIRST-LAST")
    parser.add_argument("--masquerade", default="", help="address announced for passive mode")
    options = parser.parse_args()
    key = os.environ.get("TARVEL_PHOTO_KEY", "")
    if not key:
        sys.exit("tarvel-photo-ftp: TARVEL_PHOTO_KEY is not set")
    os.makedirs(options.folder, exist_ok=True)
    # Uploads cut off by an earlier end of this server.
    for name in os.listdir(options.folder):
        if name.startswith(".upload-"):
            PhotoSession._discard(os.path.join(options.folder, name))
    logging.basicConfig(level=logging.WARNING)
    PhotoSession.authorizer = AccountAuthorizer(
        options.check, key, os.path.realpath(options.folder))
    PhotoSession.banner = "TARVEL photo uploads."
    if options.passive_ports:
        first, last = (int(port) for port in options.passive_ports.split("-"))
        PhotoSession.passive_ports = range(first, last + 1)
    if options.masquerade:
        PhotoSession.masquerade_address = options.masquerade
    server = FTPServer((options.listen, options.port), PhotoSession)
    server.max_cons = 64
    server.max_cons_per_ip = 8
    parent = os.getppid()

    def stop_with_parent():
        if os.getppid() != parent:
            server.close_all()

    server.ioloop.call_every(1.0, stop_with_parent)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    print("ftp listening on %d" % server.address[1], flush=True)
    try:
        server.serve_forever(handle_exit=True)
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
