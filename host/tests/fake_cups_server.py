#!/usr/bin/env python3
"""A CUPS server that misbehaves, for the tests of pdehost's deadlines.

    fake_cups_server.py MODE PORT_FILE [UPSTREAM_PORT BYTES]

Listens on a free loopback port, writes the port to PORT_FILE once it
listens, and serves each connection in MODE until it is killed:
  silent      accepts and reads, never answers
  closing     reads a request, then closes the connection without a word
  trickling   answers a header one byte every 0.1 s, never ending it
  truncating  passes everything to the server on UPSTREAM_PORT, but cuts a
              printer description's reply after BYTES bytes of its body
  unended     the same, but sends the whole description in chunks, without
              the last chunk that ends a chunked reply
"""
import os
import socket
import sys
import threading
import time


def read_request(conn):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = conn.recv(65536)
        if not chunk:
            return None
        data += chunk
    return data


def silent(conn):
    while conn.recv(65536):
        pass


def closing(conn):
    read_request(conn)


def trickling(conn):
    read_request(conn)
    reply = b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nX-Slow: "
    for byte in reply:
        conn.sendall(bytes([byte]))
        time.sleep(0.1)
    while True:
        conn.sendall(b"z")
        time.sleep(0.1)


def chunked_without_end(reply):
    header, body = reply.split(b"\r\n\r\n", 1)
    lines = [l for l in header.split(b"\r\n") if not l.lower().startswith(b"content-length:")]
    out = b"\r\n".join(lines + [b"Transfer-Encoding: chunked"]) + b"\r\n\r\n"
    for at in range(0, len(body), 1000):
        out += b"%x\r\n" % len(body[at:at + 1000]) + body[at:at + 1000] + b"\r\n"
    return out


def truncating(conn, upstream_port, cut_at, unended=False):
    upstream = socket.create_connection(("127.0.0.1", upstream_port))
    asked_for_ppd = threading.Event()

    def to_server():
        try:
            while True:
                data = conn.recv(65536)
                if not data:
                    break
                if b"GET /printers/" in data and b".ppd" in data:
                    asked_for_ppd.set()
                upstream.sendall(data)
        except OSError:
            pass

    threading.Thread(target=to_server, daemon=True).start()
    pending = b""
    while True:
        data = upstream.recv(65536)
        if not data:
            break
        if not asked_for_ppd.is_set():
            conn.sendall(data)
            continue
        # The description's reply: its header whole, its body cut short.
        pending += data
        end = pending.find(b"\r\n\r\n")
        if end < 0 or len(pending) < end + 4 + cut_at:
            continue
        conn.sendall(chunked_without_end(pending[: end + 4 + cut_at]) if unended else pending[: end + 4 + cut_at])
        break
    conn.shutdown(socket.SHUT_RDWR)
    upstream.close()


def serve(conn, mode, args):
    try:
        if mode in ("truncating", "unended"):
            truncating(conn, int(args[0]), int(args[1]), mode == "unended")
        else:
            globals()[mode](conn)
    except OSError:
        pass
    finally:
        conn.close()


def main():
    mode, port_file, args = sys.argv[1], sys.argv[2], sys.argv[3:]
    if mode not in ("silent", "closing", "trickling", "truncating", "unended"):
        sys.exit("unknown mode " + mode)
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    with open(port_file + ".new", "w") as out:
        out.write("%d\n" % listener.getsockname()[1])
    os.rename(port_file + ".new", port_file)
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=serve, args=(conn, mode, args), daemon=True).start()


if __name__ == "__main__":
    main()
