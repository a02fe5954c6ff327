#!/usr/bin/python3
"""The web site's FTP area for the tests: an FTP server on 127.0.0.1 (pyftpdlib) serving a folder
with one account, or, with --silent, a listener that accepts connections and never answers.

Usage: ftp_site.py --root DIR --account-file FILE --port-file FILE --log FILE [--port N]
                   [--received DIR] [--silent] [--lifetime SECONDS]

The account ("user:password") is read from a file, so that it appears on no command line and in
no output (the server's log masks the password). Once listening, the port is written to the port
file (through a rename, so the file is whole once it exists). With --received, a copy of each file
received is kept there, named by its rank (000001, 000002, ... on from the copies already there):
the tests see every upload, not only the last. It runs until it is killed, or at the latest for
its lifetime, so that a test that crashed leaves no server behind for long.
"""

import argparse
import itertools
import os
import shutil
import socket
import threading


def write_port(path, port):
    with open(path + ".part", "w") as out:
        out.write(f"{port}\n")
    os.replace(path + ".part", path)


def end_after(seconds):
    timer = threading.Timer(seconds, lambda: os._exit(0))
    timer.daemon = True
    timer.start()


def silent(port, port_file):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(16)
    write_port(port_file, listener.getsockname()[1])
    held = []
    while True:
        connection, _ = listener.accept()
        held.append(connection)  # kept open, never answered


def serve(root, account_file, port, port_file, log, received):
    import logging

    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler
    from pyftpdlib.servers import FTPServer

    with open(account_file, encoding="utf-8") as f:
        user, _, password = f.read().strip().partition(":")
    authorizer = DummyAuthorizer()
    authorizer.add_user(user, password, root, perm="elradfmwMT")
    ranks = itertools.count(len(os.listdir(received)) + 1 if received else 1)

    class Handler(FTPHandler):
        def on_file_received(self, file):
            if received:
                # Through a rename too: a copy is whole once its name shows.
                copy = os.path.join(received, f"{next(ranks):06d}")
                shutil.copyfile(file, copy + ".part")
                os.replace(copy + ".part", copy)

    handler = Handler
    handler.authorizer = authorizer
    handler.permit_foreign_addresses = False
    handler.passive_ports = None
    # One line per session and command: the tests count the connections made.
    logging.basicConfig(filename=log, level=logging.INFO)
    server = FTPServer(("127.0.0.1", port), handler)
    write_port(port_file, server.socket.getsockname()[1])
    server.serve_forever()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root")
    parser.add_argument("--account-file")
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--log", default=os.devnull)
    parser.add_argument("--received")
    parser.add_argument("--silent", action="store_true")
    parser.add_argument("--lifetime", type=float, default=900)
    args = parser.parse_args()
    end_after(args.lifetime)
    if args.silent:
        silent(args.port, args.port_file)
    else:
        serve(args.root, args.account_file, args.port, args.port_file, args.log, args.received)


if __name__ == "__main__":
    main()
